#include "environment/AccessControlList.h"

#include <cstddef>

void AccessControlList::AddAllowed(const SecurityIdentifier& sid, ACCESS_MASK mask, BYTE flags)
{
    entries_.push_back(Entry{true, mask, flags, sid});
}

void AccessControlList::AddDenied(const SecurityIdentifier& sid, ACCESS_MASK mask, BYTE flags)
{
    entries_.push_back(Entry{false, mask, flags, sid});
}

bool AccessControlList::Build(std::vector<DWORD>& storage) const
{
    // Allowed and denied entries share one layout: header, mask, then the
    // SID in place of the SidStart member.
    DWORD size = sizeof(ACL);
    for (const Entry& entry : entries_) size += offsetof(ACCESS_ALLOWED_ACE, SidStart) + entry.Sid.Length();

    storage.assign((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    PACL acl = reinterpret_cast<PACL>(storage.data());
    if (!InitializeAcl(acl, size, revision_)) return false;

    for (int pass = 0; pass < 2; ++pass) {
        const bool allowedPass = pass == 1;
        for (const Entry& entry : entries_) {
            if (entry.Allowed != allowedPass) continue;
            const BOOL added = entry.Allowed
                                   ? AddAccessAllowedAceEx(acl, revision_, entry.Flags, entry.Mask, entry.Sid.Get())
                                   : AddAccessDeniedAceEx(acl, revision_, entry.Flags, entry.Mask, entry.Sid.Get());
            if (!added) return false;
        }
    }
    return true;
}
