#pragma once
#include "environment/SecurityIdentifier.h"

#include <windows.h>

#include <vector>

// A discretionary access list being put together, written out in canonical
// order: every access-denied entry before every access-allowed one, each
// group in the order it was added.
class AccessControlList {
public:
    explicit AccessControlList(BYTE revision) : revision_(revision) {}

    void AddAllowed(const SecurityIdentifier& sid, ACCESS_MASK mask, BYTE flags);
    void AddDenied(const SecurityIdentifier& sid, ACCESS_MASK mask, BYTE flags);

    // The binary list. False, with the system's last error, when the system
    // refuses the revision or an entry.
    bool Build(std::vector<DWORD>& storage) const;

private:
    struct Entry {
        bool Allowed;
        ACCESS_MASK Mask;
        BYTE Flags;
        SecurityIdentifier Sid;
    };

    BYTE revision_;
    std::vector<Entry> entries_;
};
