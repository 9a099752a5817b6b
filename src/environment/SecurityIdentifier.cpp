#include "environment/SecurityIdentifier.h"

SecurityIdentifier::SecurityIdentifier(BYTE authority, const DWORD* subAuthorities, BYTE count)
{
    SID_IDENTIFIER_AUTHORITY identifierAuthority = {{0, 0, 0, 0, 0, authority}};
    // A refused layout leaves the buffer zeroed, which IsValidSid rejects.
    if (!InitializeSid(Get(), &identifierAuthority, count)) return;
    for (BYTE i = 0; i < count; ++i) *GetSidSubAuthority(Get(), i) = subAuthorities[i];
}

SecurityIdentifier SecurityIdentifier::Everyone()
{
    const DWORD world[] = {SECURITY_WORLD_RID};
    return SecurityIdentifier(1, world, 1);
}

SecurityIdentifier SecurityIdentifier::BuiltinUsers()
{
    const DWORD users[] = {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS};
    return SecurityIdentifier(5, users, 2);
}
