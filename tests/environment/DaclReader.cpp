#include "DaclReader.h"

#include "environment/UniqueLocalMemory.h"

#include <aclapi.h>
#include <sddl.h>

DaclSnapshot ReadDacl(const std::wstring& path)
{
    PACL dacl = nullptr;
    UniqueLocalMemory descriptor;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, descriptor.Receive()) != ERROR_SUCCESS)
        return DaclSnapshot();
    return ReadAcl(dacl);
}

DaclSnapshot ReadAcl(const ACL* acl)
{
    DaclSnapshot snapshot;
    if (acl == nullptr) return snapshot;
    PACL list = const_cast<PACL>(acl);
    snapshot.Read = true;
    snapshot.Revision = list->AclRevision;
    for (DWORD i = 0; i < list->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(list, i, &ace)) break;
        // Allowed and denied entries share this layout.
        const ACCESS_ALLOWED_ACE* entry = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
        DaclEntry read = {entry->Header.AceType, entry->Header.AceFlags, entry->Mask, L""};
        UniqueLocalMemory text;
        if (ConvertSidToStringSidW(const_cast<DWORD*>(&entry->SidStart), reinterpret_cast<LPWSTR*>(text.Receive())))
            read.Sid = static_cast<const wchar_t*>(text.Get());
        snapshot.Entries.push_back(read);
    }
    return snapshot;
}

bool operator==(const DaclEntry& a, const DaclEntry& b)
{
    return a.Type == b.Type && a.Flags == b.Flags && a.Mask == b.Mask && a.Sid == b.Sid;
}
