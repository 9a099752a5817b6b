#include "query/ProcessLibInfoCopy.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessLibInfoCopy, CopiesEveryFieldIntoOneOwnedBlock)
{
    ProcessLibRecord record;
    record.Id = 7;
    record.Name = L"app.exe";
    record.DisplayName = L"App \x20AC";
    record.Description = L"";
    record.Path = L"Vendor\\App";
    record.Reserved = 0;
    record.CompanyName = L"Vendor";
    record.SignName = L"";
    record.SoftId = L"soft";
    record.ProcessType = 3;
    record.CanClose = 0;

    ProcessLibInfo* info = NewProcessLibInfo(record);
    record.Name = L"changed";  // the copy is independent of its source
    EXPECT_EQ(7, info->Id);
    EXPECT_STREQ(L"app.exe", info->Name);
    EXPECT_STREQ(L"App \x20AC", info->DisplayName);
    ASSERT_NE(nullptr, info->Description);
    EXPECT_STREQ(L"", info->Description);
    EXPECT_STREQ(L"Vendor\\App", info->Path);
    EXPECT_EQ(0, info->Reserved);
    EXPECT_STREQ(L"Vendor", info->CompanyName);
    ASSERT_NE(nullptr, info->SignName);
    EXPECT_STREQ(L"", info->SignName);
    EXPECT_STREQ(L"soft", info->SoftId);
    EXPECT_EQ(3, info->ProcessType);
    EXPECT_EQ(0, info->CanClose);
    DeleteProcessLibInfo(info);
    DeleteProcessLibInfo(nullptr);
}

TEST(ProcessLibRecord, ValuesAtConstruction)
{
    const ProcessLibRecord record;
    EXPECT_EQ(0, record.Id);
    EXPECT_EQ(0, record.Reserved);
    EXPECT_EQ(0, record.ProcessType);
    EXPECT_EQ(1, record.CanClose);
}

} // namespace
