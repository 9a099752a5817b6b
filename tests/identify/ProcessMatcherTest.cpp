// The matcher's stages with file facts supplied by the test, so each case
// can also show which facts were read.
#include "identify/ProcessMatcher.h"

#include "IdentifyFixtures.h"

#include <gtest/gtest.h>

namespace {

struct Facts {
    std::wstring company;
    std::wstring signer;
    int companyReads = 0;
    int signerReads = 0;
};
Facts g_facts;

std::wstring FakeCompany(const wchar_t*)
{
    ++g_facts.companyReads;
    return g_facts.company;
}
std::wstring FakeSigner(const wchar_t*)
{
    ++g_facts.signerReads;
    return g_facts.signer;
}
const FileFactReaders kFake = {FakeCompany, FakeSigner};

const char kLibrary[] = R"(<ProcessLib>
  <Paths>
    <Path id="1" value="Vendor\App"/>
    <Path id="2" value="Other"/>
    <Path id="3" value="System32"/>
    <Path id="4" value="vendor\APP\"/>
    <Path id="5" value="\vendor\APP"/>
    <Path id="6" value="Shared"/>
  </Paths>
  <CompanyNames>
    <Company id="3" Value="Acme Corp"/>
    <Company id="5" Value="Twin Co"/>
    <Company id="7" Value="ACME CORP"/>
    <Company id="8" Value="Solo Co"/>
  </CompanyNames>
  <SignNames>
    <Signer id="1" Value="Twin Signer"/>
    <Signer id="2" Value="Lone Signer"/>
  </SignNames>
  <Processes>
    <Process Name="app.exe">
      <Item id="10" Description="Vendor app" PathIndex="1" CompanyNameIndex="8" SignNameIndex="-1"/>
      <Item id="11" Description="Other app" PathIndex="2" CompanyNameIndex="3" SignNameIndex="-1"/>
    </Process>
    <Process Name="sys.exe">
      <Item id="20" Description="System tool" PathIndex="3" CompanyNameIndex="-1" SignNameIndex="-1"/>
    </Process>
    <Process Name="slash.exe">
      <Item id="30" Description="Trailing" PathIndex="4" CompanyNameIndex="-1" SignNameIndex="-1"/>
      <Item id="31" Description="Leading" PathIndex="5" CompanyNameIndex="-1" SignNameIndex="-1"/>
    </Process>
    <Process Name="tri.exe">
      <Item id="40" Description="Same" PathIndex="6" CompanyNameIndex="-1" SignNameIndex="-1"/>
      <Item id="41" Description="Same" PathIndex="-1" CompanyNameIndex="-1" SignNameIndex="-1"/>
      <Item id="42" Description="Same" PathIndex="6" CompanyNameIndex="-1" SignNameIndex="-1"/>
    </Process>
    <Process Name="case.exe">
      <Item id="50" Description="Tool" PathIndex="6" CompanyNameIndex="3" SignNameIndex="-1"/>
      <Item id="51" Description="TOOL" PathIndex="6" CompanyNameIndex="8" SignNameIndex="-1"/>
    </Process>
    <Process Name="twin.exe">
      <Item id="60" Description="First twin" PathIndex="-1" CompanyNameIndex="5" SignNameIndex="1"/>
      <Item id="61" Description="Second twin" PathIndex="-1" CompanyNameIndex="5" SignNameIndex="2"/>
      <Item id="62" Description="Third twin" PathIndex="-1" CompanyNameIndex="5" SignNameIndex="1"/>
    </Process>
    <Process Name="dup.exe">
      <Item id="70" Description="By id 7" PathIndex="2" CompanyNameIndex="7" SignNameIndex="-1"/>
      <Item id="71" Description="Elsewhere" PathIndex="1" CompanyNameIndex="8" SignNameIndex="-1"/>
    </Process>
    <Process Name="notepad.exe">
      <Item id="80" Description="Editor" PathIndex="-1" CompanyNameIndex="-1" SignNameIndex="-1"/>
    </Process>
    <Process Name="nopath.exe">
      <Item id="90" Description="Missing path id" PathIndex="99" CompanyNameIndex="-1" SignNameIndex="-1"/>
      <Item id="91" Description="Other" PathIndex="2" CompanyNameIndex="-1" SignNameIndex="-1"/>
    </Process>
  </Processes>
</ProcessLib>)";

class ProcessMatcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        store = LoadStore(kLibrary);
        g_facts = Facts();
    }
    // The id matched for path, or 0 for no match.
    int Match(const std::wstring& path)
    {
        ProcessItem item;
        return MatchProcessItem(*store, path, item, kFake) == 1 ? item.Id : 0;
    }

    std::unique_ptr<ProcessLibData> store;
};

struct StageCase {
    const wchar_t* path;
    const wchar_t* company;  // what the version resource says
    const wchar_t* signer;   // what the signature says
    int expectedId;          // 0: no match
    int companyReads;
    int signerReads;
};

class MatcherStages : public ProcessMatcher, public ::testing::WithParamInterface<StageCase> {};

TEST_P(MatcherStages, ChoosesByTheCheapestStageThatSettles)
{
    const StageCase& c = GetParam();
    g_facts.company = c.company;
    g_facts.signer = c.signer;
    EXPECT_EQ(c.expectedId, Match(c.path));
    EXPECT_EQ(c.companyReads, g_facts.companyReads);
    EXPECT_EQ(c.signerReads, g_facts.signerReads);
}

INSTANTIATE_TEST_SUITE_P(Cases, MatcherStages, ::testing::Values(
    // Directory stage decides between two items of one name; no file facts.
    StageCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"Acme Corp", L"", 10, 0, 0},
    StageCase{L"D:\\Other\\app.exe", L"Solo Co", L"", 11, 0, 0},
    StageCase{L"C:\\PROGRAM FILES\\VENDOR\\APP\\APP.EXE", L"", L"", 10, 0, 0},
    // Nothing matches the directory: the company stage starts again from
    // all items and may pick one whose path did not match.
    StageCase{L"D:\\Other\\Sub\\app.exe", L"acme corp", L"", 11, 1, 0},
    StageCase{L"D:\\Other\\Sub\\app.exe", L"Solo Co", L"", 10, 1, 0},
    StageCase{L"D:\\Other\\Sub\\app.exe", L"Unknown Co", L"", 0, 1, 1},
    // One-level text against the holder of the file; too short a path.
    StageCase{L"C:\\Windows\\system32\\sys.exe", L"", L"", 20, 0, 0},
    StageCase{L"C:\\sys.exe", L"", L"", 0, 1, 1},
    // Texts with a leading or trailing backslash never match.
    StageCase{L"C:\\x\\vendor\\app\\slash.exe", L"", L"", 0, 1, 1},
    StageCase{L"vendor\\app\\slash.exe", L"", L"", 0, 1, 1},
    // Three settled items with one description: the first, nothing read.
    StageCase{L"C:\\Shared\\tri.exe", L"", L"", 40, 0, 0},
    StageCase{L"C:\\Elsewhere\\tri.exe", L"", L"", 41, 0, 0},
    // Descriptions differing only in case do not settle.
    StageCase{L"C:\\Shared\\case.exe", L"Solo Co", L"", 51, 1, 0},
    // Company id 5 on three items with different descriptions: the signer
    // decides (its first item, descriptions not compared), or nothing does.
    StageCase{L"C:\\a\\b\\twin.exe", L"Twin Co", L"twin signer", 60, 1, 1},
    StageCase{L"C:\\a\\b\\twin.exe", L"Twin Co", L"Lone Signer", 61, 1, 1},
    StageCase{L"C:\\a\\b\\twin.exe", L"Twin Co", L"", 0, 1, 1},
    // Duplicate company texts: ACME CORP resolves to id 3, so the item that
    // carries id 7 is unreachable by company.
    StageCase{L"C:\\x\\y\\dup.exe", L"ACME CORP", L"", 0, 1, 1},
    // Forward slashes: only -1 (or unknown) paths pass the directory stage.
    StageCase{L"C:/Program Files/Vendor/App/app.exe", L"", L"", 0, 1, 1},
    StageCase{L"C:/Windows/NOTEPAD.EXE", L"", L"", 80, 0, 0},
    // A path id naming no entry compares as the empty text, which only a
    // path of fewer than three components has.
    StageCase{L"C:\\nopath.exe", L"", L"", 90, 0, 0},
    StageCase{L"C:\\dir\\nopath.exe", L"", L"", 0, 1, 1},
    // A name no item carries: no stage runs.
    StageCase{L"C:\\Windows\\unknown.exe", L"Acme Corp", L"Twin Signer", 0, 0, 0},
    StageCase{L"C:\\Windows\\", L"Acme Corp", L"Twin Signer", 0, 0, 0}));

TEST_F(ProcessMatcher, MatchCopiesEveryFieldAndNoMatchLeavesTheItemAlone)
{
    ProcessItem item;
    ASSERT_EQ(1, MatchProcessItem(*store, L"D:\\Other\\app.exe", item, kFake));
    EXPECT_EQ(11, item.Id);
    EXPECT_EQ(L"app.exe", item.Name);
    EXPECT_EQ(L"Other app", item.Description);
    EXPECT_EQ(2, item.PathIndex);
    EXPECT_EQ(3, item.CompanyNameIndex);

    ProcessItem untouched;
    untouched.Id = 1234;
    untouched.Name = L"keep";
    untouched.CanClose = 7;
    EXPECT_EQ(0, MatchProcessItem(*store, L"D:\\Other\\Sub\\app.exe", untouched, kFake));
    EXPECT_EQ(1234, untouched.Id);
    EXPECT_EQ(L"keep", untouched.Name);
    EXPECT_EQ(7, untouched.CanClose);
}

TEST_F(ProcessMatcher, TableTextsAreFoundByTheirFirstIdIgnoringAsciiCaseOnly)
{
    EXPECT_EQ(3, FindCompanyNameIndex(*store, L"acme corp"));
    EXPECT_EQ(8, FindCompanyNameIndex(*store, L"SOLO CO"));
    EXPECT_EQ(-1, FindCompanyNameIndex(*store, L"Solo Co "));
    EXPECT_EQ(-1, FindCompanyNameIndex(*store, L""));
    EXPECT_EQ(2, FindSignNameIndex(*store, L"lone signer"));
    EXPECT_EQ(-1, FindSignNameIndex(*store, L"Lone"));

    // The empty text finds only an entry that is itself empty.
    ProcessLibData withEmpty;
    withEmpty.AddCompanyName(9, L"");
    withEmpty.AddCompanyName(4, L"Four");
    EXPECT_EQ(9, FindCompanyNameIndex(withEmpty, L""));
    EXPECT_EQ(-1, FindCompanyNameIndex(withEmpty, L"\x00C4"));
}

} // namespace
