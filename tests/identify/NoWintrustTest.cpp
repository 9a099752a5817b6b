// A process whose wintrust.dll cannot be loaded: signatures name no one,
// while everything else about identification still works.
#include "identify/FileCompanyName.h"
#include "identify/FileSignerName.h"
#include "identify/ProcessMatcher.h"

#include "IdentifyFixtures.h"
#include "TempDirectory.h"

#include <gtest/gtest.h>

namespace {

TEST(NoWintrust, SignedFilesHaveNoSignerAndTheOtherStagesStillDecide)
{
    ASSERT_EQ(nullptr, LoadLibraryW(L"wintrust.dll")) << "this test needs a wintrust.dll that cannot load";

    TempDirectory temp;
    const std::wstring path = temp.File(L"Somewhere\\Deep\\app.exe");
    CopyFixture(L"signed.exe", path);
    EXPECT_EQ(L"", GetFileSignerName(path.c_str()));
    EXPECT_EQ(L"Vendor Fixture Co", GetFileCompanyName(path.c_str()));

    const auto store = LoadStore(R"(<ProcessLib><Paths><Path id="1" value="Unused"/></Paths>
      <CompanyNames><Company id="1" Value="Vendor Fixture Co"/></CompanyNames>
      <SignNames><Signer id="1" Value="AppAtlas Test Signer"/></SignNames>
      <Processes><Process Name="app.exe">
        <Item id="1" Description="By signer" PathIndex="-1" CompanyNameIndex="2" SignNameIndex="1"/>
        <Item id="2" Description="By company" PathIndex="-1" CompanyNameIndex="1" SignNameIndex="2"/>
      </Process><Process Name="tool.exe">
        <Item id="3" Description="Signed" PathIndex="-1" CompanyNameIndex="2" SignNameIndex="1"/>
        <Item id="4" Description="Other" PathIndex="-1" CompanyNameIndex="2" SignNameIndex="2"/>
      </Process></Processes></ProcessLib>)");
    ProcessItem item;
    ASSERT_EQ(1, MatchProcessItem(*store, path, item));
    EXPECT_EQ(2, item.Id);

    const std::wstring tool = temp.File(L"Somewhere\\Deep\\tool.exe");
    CopyFixture(L"signed.exe", tool);
    EXPECT_EQ(0, MatchProcessItem(*store, tool, item));
}

} // namespace
