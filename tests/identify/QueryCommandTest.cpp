// appatlas-cli query run as a separate process: it loads appatlas.dll beside
// itself as a host does.
#include "ChildProcess.h"
#include "FileFixtures.h"
#include "TempDirectory.h"
#include "library/LibraryFileBuilder.h"

#include <gtest/gtest.h>

namespace {

const char kLibrary[] = R"(<ProcessLib>
  <Paths><Path id="1" value="Vendor\App"/></Paths>
  <CompanyNames><Company id="1" Value="Vendor &quot;Quoted&quot; Co"/></CompanyNames>
  <SignNames><Signer id="1" Value="Unused"/></SignNames>
  <Processes><Process Name="app.exe">
    <Item id="7" DisplayName="App" Description="Tab&#9;here" PathIndex="1" CompanyNameIndex="1"
          SignNameIndex="-1" ProcessType="2" CanClose="0" SoftId="vendor.app"/>
  </Process></Processes>
</ProcessLib>)";

class QueryCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = temp.File(L"appatlas.dat");
        WriteBytes(library, BuildLibraryFile(kLibrary, 0x33, 1));
    }
    // The console streams are in text mode: lines end in CR LF.
    ChildResult Cli(const std::wstring& arguments)
    {
        ChildResult r = RunChild(Quote(TestBinaryDirectory() + L"\\appatlas-cli.exe") + L" query " + arguments);
        for (std::string* text : {&r.Out, &r.Err})
            for (size_t cr = text->find('\r'); cr != std::string::npos; cr = text->find('\r', cr)) text->erase(cr, 1);
        return r;
    }
    TempDirectory temp;
    std::wstring library;
};

TEST_F(QueryCommand, PrintsEveryFieldAndExitsZeroWhenAllAreKnown)
{
    const ChildResult r = Cli(L"--library " + Quote(library) + L" C:\\x\\Vendor\\App\\app.exe");
    EXPECT_EQ(0u, r.ExitCode) << r.Err;
    for (const char* line : {"C:\\x\\Vendor\\App\\app.exe\n", "  Id: 7\n", "  Name: app.exe\n", "  DisplayName: App\n",
                             "  Description: Tab\there\n", "  Path: Vendor\\App\n",
                             "  CompanyName: Vendor \"Quoted\" Co\n", "  SignName: \n", "  SoftId: vendor.app\n",
                             "  ProcessType: 2\n", "  CanClose: 0\n"})
        EXPECT_NE(std::string::npos, r.Out.find(line)) << line << " in\n" << r.Out;
}

TEST_F(QueryCommand, OneUnknownPathMakesTheExitCodeOneAndJsonSaysWhich)
{
    const ChildResult r =
        Cli(L"--json --library " + Quote(library) + L" C:\\x\\Vendor\\App\\app.exe C:\\x\\other.exe");
    EXPECT_EQ(1u, r.ExitCode);
    EXPECT_EQ("{\"path\":\"C:\\\\x\\\\Vendor\\\\App\\\\app.exe\",\"found\":true,\"Id\":7,\"Name\":\"app.exe\","
              "\"DisplayName\":\"App\",\"Description\":\"Tab\\u0009here\",\"Path\":\"Vendor\\\\App\","
              "\"CompanyName\":\"Vendor \\\"Quoted\\\" Co\",\"SignName\":\"\",\"SoftId\":\"vendor.app\","
              "\"ProcessType\":2,\"CanClose\":0}\n"
              "{\"path\":\"C:\\\\x\\\\other.exe\",\"found\":false}\n",
              r.Out);

    const ChildResult text = Cli(L"--library " + Quote(library) + L" C:\\x\\other.exe");
    EXPECT_EQ(1u, text.ExitCode);
    EXPECT_EQ("C:\\x\\other.exe\n  not in library\n", text.Out);
}

TEST_F(QueryCommand, ALibraryThatDoesNotLoadAndMissingArgumentsAreReported)
{
    const ChildResult missing = Cli(L"--library " + Quote(temp.File(L"none.dat")) + L" C:\\x.exe");
    EXPECT_EQ(1u, missing.ExitCode);
    EXPECT_NE(std::string::npos, missing.Err.find("none.dat: library does not load"));
    EXPECT_EQ("", missing.Out);

    for (const std::wstring& args : {std::wstring(L""), std::wstring(L"--json"), std::wstring(L"C:\\x.exe --library")}) {
        const ChildResult usage = Cli(args);
        EXPECT_EQ(2u, usage.ExitCode);
        EXPECT_NE(std::string::npos, usage.Err.find("usage:"));
    }
}

} // namespace
