// appatlas-cli run as a separate process, as a publisher or host runs it.

#include "ChildProcess.h"
#include "FileFixtures.h"
#include "TempDirectory.h"
#include "library/LibraryFileHeader.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

ChildResult Cli(const std::wstring& arguments)
{
    return RunChild(Quote(TestBinaryDirectory() + L"\\appatlas-cli.exe") + L" " + arguments);
}

// The sample library lives in the source tree, named by its Unix path;
// Wine maps the root of the Unix file system to drive Z:.
std::wstring SampleLibrary()
{
    return std::wstring(L"Z:") + APPATLAS_SAMPLE_LIBRARY;
}

TEST(Cli, UsageErrorsExitWithTwo)
{
    const std::wstring cases[] = {L"", L"frobnicate", L"pack only-one.xml", L"pack a b c",
                                  L"pack a.xml b.dat --key", L"pack a.xml b.dat --key 256",
                                  L"pack a.xml b.dat --key -1", L"pack a.xml b.dat --compat x",
                                  L"unpack a.dat", L"inspect", L"inspect a b"};
    for (const std::wstring& args : cases) {
        const ChildResult r = Cli(args);
        EXPECT_EQ(2u, r.ExitCode) << Widen(r.Err).c_str();
        EXPECT_NE(std::string::npos, r.Err.find("usage:"));
    }
    const ChildResult help = Cli(L"help");
    EXPECT_EQ(0u, help.ExitCode);
    EXPECT_NE(std::string::npos, help.Out.find("inspect"));
}

TEST(Cli, PackWritesTheContainerAndUnpackRestoresTheDocument)
{
    TempDirectory temp;
    const std::wstring dat = temp.File(L"appatlas.dat");
    const std::wstring xml = temp.File(L"back.xml");
    ASSERT_EQ(0u, Cli(L"pack " + Quote(SampleLibrary()) + L" " + Quote(dat) + L" --key 0x3C --compat 1").ExitCode);

    const std::string original = ReadBytes(SampleLibrary());
    const std::string file = ReadBytes(dat);
    ASSERT_EQ(80 + original.size(), file.size());
    LibraryFileHeader header;
    std::memcpy(&header, file.data(), 80);
    EXPECT_EQ(kLibraryFileMagic, header.Magic);
    EXPECT_EQ(1u, header.CompatLevel);
    EXPECT_EQ(file.size(), header.FileSize);
    EXPECT_EQ(80u, header.DataOffset);
    EXPECT_EQ(original.size(), header.DataLength);
    EXPECT_EQ(1u, header.ScrambleMethod);
    EXPECT_EQ(0x3C, header.ScrambleKey);
    for (const uint8_t* unused : {header.Unused4, header.Unused20, header.Unused28, header.Unused49})
        EXPECT_EQ(0, unused[0]);
    EXPECT_EQ(original[0] ^ 0x3C, file[80]);

    ASSERT_EQ(0u, Cli(L"unpack " + Quote(dat) + L" " + Quote(xml)).ExitCode);
    EXPECT_EQ(original, ReadBytes(xml));
}

TEST(Cli, InspectPrintsHeaderAndCounts)
{
    TempDirectory temp;
    const std::wstring xml = temp.File(L"lib.xml");
    const std::wstring dat = temp.File(L"appatlas.dat");
    // Two groups named alike in different case count as one name.
    WriteBytes(xml,
               "<ProcessLib><Paths><p id='3' value='a'/><p id='9' value='b'/><p id='9' value='c'/></Paths>"
               "<CompanyNames><c id='2' Value='x'/></CompanyNames>"
               "<SignNames><s id='-4' Value='y'/><s id='5' Value='z'/></SignNames>"
               "<MaxProcessItemId id='100'/>"
               "<Processes><g Name='Setup.exe'><i id='1'/><i id='2'/></g><g Name='SETUP.EXE'><i id='7'/></g>"
               "<g Name='app.exe'><i id='3'/></g></Processes></ProcessLib>");
    ASSERT_EQ(0u, Cli(L"pack " + Quote(xml) + L" " + Quote(dat) + L" --key 7").ExitCode);
    const ChildResult r = Cli(L"inspect " + Quote(dat));
    EXPECT_EQ(0u, r.ExitCode) << r.Err;
    for (const char* line : {"Magic: 0x46515752", "CompatLevel: 0", "DataOffset: 80", "ScrambleMethod: 1",
                             "ScrambleKey: 0x00000007", "Paths: 2", "CompanyNames: 1", "SignNames: 2", "Groups: 2",
                             "Items: 4", "MaxPathId: 9", "MaxCompanyNameId: 2", "MaxSignNameId: 5",
                             "MaxProcessItemId: 100"})
        EXPECT_NE(std::string::npos, r.Out.find(line)) << line << "\n" << r.Out;

    // The sample library loads as well.
    ASSERT_EQ(0u, Cli(L"pack " + Quote(SampleLibrary()) + L" " + Quote(dat)).ExitCode);
    EXPECT_EQ(0u, Cli(L"inspect " + Quote(dat)).ExitCode);
}

TEST(Cli, FailuresNameTheFileAndTheReason)
{
    TempDirectory temp;
    const std::wstring bad = temp.File(L"bad.dat");
    const std::wstring xml = temp.File(L"doc.xml");
    WriteBytes(xml, "<ProcessLib><Paths/></ProcessLib>");
    ASSERT_EQ(0u, Cli(L"pack " + Quote(xml) + L" " + Quote(bad)).ExitCode);

    struct Case {
        std::wstring args;
        const char* reason;
    } cases[] = {
        {L"inspect " + Quote(bad), "Paths"},
        {L"inspect " + Quote(temp.File(L"missing.dat")), "missing.dat"},
        {L"inspect " + Quote(xml), "smaller than"},
        {L"unpack " + Quote(xml) + L" " + Quote(temp.File(L"o.xml")), "doc.xml"},
        {L"pack " + Quote(temp.File(L"missing.xml")) + L" " + Quote(temp.File(L"o.dat")), "missing.xml"},
        {L"pack " + Quote(xml) + L" " + Quote(temp.File(L"no\\such\\dir.dat")), "dir.dat"},
    };
    for (const Case& c : cases) {
        const ChildResult r = Cli(c.args);
        EXPECT_EQ(1u, r.ExitCode) << c.reason;
        EXPECT_NE(std::string::npos, r.Err.find(c.reason)) << c.reason << ": " << r.Err;
    }

    WriteBytes(bad, ReadBytes(bad).substr(0, 90));
    const ChildResult truncated = Cli(L"inspect " + Quote(bad));
    EXPECT_EQ(1u, truncated.ExitCode);
    EXPECT_NE(std::string::npos, truncated.Err.find("FileSize")) << truncated.Err;
}

} // namespace
