#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One entry of a file object's discretionary access list, as read back.
struct DaclEntry {
    BYTE Type;  // ACCESS_ALLOWED_ACE_TYPE, ACCESS_DENIED_ACE_TYPE, ...
    BYTE Flags;
    ACCESS_MASK Mask;
    std::wstring Sid;  // "S-1-1-0" form
};

struct DaclSnapshot {
    bool Read = false;
    BYTE Revision = 0;
    std::vector<DaclEntry> Entries;
};

// The entries of a file object's list, or of a list in memory.
DaclSnapshot ReadDacl(const std::wstring& path);
DaclSnapshot ReadAcl(const ACL* acl);
bool operator==(const DaclEntry& a, const DaclEntry& b);
