#include "environment/AccessControlList.h"
#include "environment/DataDirectoryAcl.h"

#include "DaclReader.h"

#include <gtest/gtest.h>

namespace {

const BYTE kInherit = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

TEST(AccessControlList, DeniedEntriesComeFirstAndEachGroupKeepsItsOrder)
{
    AccessControlList list(ACL_REVISION);
    list.AddAllowed(SecurityIdentifier::BuiltinUsers(), 1, 0);
    list.AddDenied(SecurityIdentifier::Everyone(), 2, kInherit);
    list.AddAllowed(SecurityIdentifier::Everyone(), 3, 0);
    list.AddDenied(SecurityIdentifier::BuiltinUsers(), 4, 0);
    std::vector<DWORD> storage;
    ASSERT_TRUE(list.Build(storage));
    PACL acl = reinterpret_cast<PACL>(storage.data());
    ASSERT_TRUE(IsValidAcl(acl));
    EXPECT_EQ((std::vector<DaclEntry>{{ACCESS_DENIED_ACE_TYPE, kInherit, 2, L"S-1-1-0"},
                                      {ACCESS_DENIED_ACE_TYPE, 0, 4, L"S-1-5-32-545"},
                                      {ACCESS_ALLOWED_ACE_TYPE, 0, 1, L"S-1-5-32-545"},
                                      {ACCESS_ALLOWED_ACE_TYPE, 0, 3, L"S-1-1-0"}}),
              ReadAcl(acl).Entries);
}

TEST(DataDirectoryAcl, DeniesEveryoneNothingThenAllowsUsersFullAccessKeepingTheRevision)
{
    for (BYTE revision : {BYTE(ACL_REVISION), BYTE(ACL_REVISION_DS)}) {
        std::vector<DWORD> storage;
        ASSERT_EQ(S_OK, BuildDataDirectoryAcl(revision, storage));
        const DaclSnapshot acl = ReadAcl(reinterpret_cast<const ACL*>(storage.data()));
        EXPECT_EQ(revision, acl.Revision);
        EXPECT_EQ((std::vector<DaclEntry>{{ACCESS_DENIED_ACE_TYPE, kInherit, 0, L"S-1-1-0"},
                                          {ACCESS_ALLOWED_ACE_TYPE, kInherit, 0x001F01FF, L"S-1-5-32-545"}}),
                  acl.Entries);
    }
}

TEST(DataDirectoryAcl, ARevisionTheSystemRefusesIsAFailureCode)
{
    std::vector<DWORD> storage;
    const HRESULT result = BuildDataDirectoryAcl(99, storage);
    EXPECT_LT(result, 0);
    EXPECT_EQ(0x80070000u, unsigned(result) & 0xFFFF0000u);
}

} // namespace
