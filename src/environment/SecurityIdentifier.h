#pragma once
#include <windows.h>

// A well-known security identifier, built in place from its authority and
// sub-authorities without any allocation.
class SecurityIdentifier {
public:
    static SecurityIdentifier Everyone();      // S-1-1-0
    static SecurityIdentifier BuiltinUsers();  // S-1-5-32-545

    PSID Get() const { return const_cast<BYTE*>(sid_); }
    bool Valid() const { return IsValidSid(Get()) != FALSE; }
    DWORD Length() const { return Valid() ? GetLengthSid(Get()) : 0; }

private:
    SecurityIdentifier(BYTE authority, const DWORD* subAuthorities, BYTE count);

    alignas(DWORD) BYTE sid_[SECURITY_MAX_SID_SIZE] = {};
};
