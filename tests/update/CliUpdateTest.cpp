// appatlas-cli diff and apply as a publisher and an updater run them: a copy
// of the tool and the DLL in a fresh directory, so the data directory is the
// test's own.

#include "ChildProcess.h"
#include "FileFixtures.h"
#include "TempDirectory.h"
#include "UpdateFixtures.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(CliUpdate, DiffThenApplyReplacesTheDataFileAndAWrongSourceIsRefused)
{
    TempDirectory temp;
    for (const wchar_t* binary : {L"appatlas-cli.exe", L"appatlas.dll"})
        ASSERT_TRUE(CopyFileW((TestBinaryDirectory() + L"\\" + binary).c_str(), temp.File(binary).c_str(), FALSE));
    const std::string oldFile = DataFile(LibraryDocument("app.exe"));
    const std::string newFile = DataFile(LibraryDocument("other.exe"));
    WriteBytes(temp.File(L"old.dat"), oldFile);
    WriteBytes(temp.File(L"new.dat"), newFile);
    const std::wstring data = temp.File(L"Data");
    CreateDirectoryW(data.c_str(), nullptr);
    WriteBytes(data + L"\\appatlas.dat", oldFile);
    const std::wstring cli = Quote(temp.File(L"appatlas-cli.exe"));
    const std::wstring update = Quote(temp.File(L"appatlas_2.upd"));

    ChildResult diff = RunChild(cli + L" diff " + Quote(temp.File(L"old.dat")) + L" " +
                                Quote(temp.File(L"new.dat")) + L" " + update + L" --checksum");
    ASSERT_EQ(0u, diff.ExitCode) << diff.Err;

    ChildResult apply = RunChild(cli + L" apply " + update);
    EXPECT_EQ(0u, apply.ExitCode) << apply.Err;
    EXPECT_EQ(0u, apply.Out.find("0x00000000 ")) << apply.Out;
    EXPECT_EQ(newFile, ReadBytes(data + L"\\appatlas.dat"));

    // The data file is the new one now; the checksummed delta does not fit.
    ChildResult again = RunChild(cli + L" apply " + update);
    EXPECT_EQ(1u, again.ExitCode);
    EXPECT_NE(std::string::npos, again.Err.find("0x8007000B")) << again.Err;
    EXPECT_EQ(newFile, ReadBytes(data + L"\\appatlas.dat"));

    EXPECT_EQ(2u, RunChild(cli + L" diff " + update).ExitCode);
}

}  // namespace
