#include "environment/PathUtils.h"

#include "FileFixtures.h"
#include "TempDirectory.h"

#include <gtest/gtest.h>

namespace {

TEST(GetFileNameOfPath, SplitsLikeTheBoundedRuntimeSplitter)
{
    // The directory part excludes the drive: "\" + 254 + "\" is 256 characters.
    const std::wstring longDir = L"C:\\" + std::wstring(254, L'd') + L"\\";
    const std::wstring dirJustFits = L"C:\\" + std::wstring(253, L'd') + L"\\";
    struct Case {
        std::wstring path;
        std::wstring expected;
    } cases[] = {
        {L"C:\\Program Files\\App\\Tool.EXE", L"Tool.EXE"},
        {L"C:\\dir\\archive.tar.gz", L"archive.tar.gz"},
        {L"C:tool.exe", L"tool.exe"},
        {L"tool.exe", L"tool.exe"},
        {L"D:/x/y.exe", L"y.exe"},
        {L"C:\\dir\\", L""},
        {L"D:/dir/.profile", L""},
        {L"C:\\dir.d\\noext", L"noext"},
        {L"", L""},
        {longDir + L"a.exe", L""},
        {dirJustFits + L"a.exe", L"a.exe"},
        {L"C:\\" + std::wstring(255, L'n') + L".exe", std::wstring(255, L'n') + L".exe"},
        {L"C:\\" + std::wstring(256, L'n') + L".exe", L""},
        {L"C:\\x" + std::wstring(254, L'e'), L"x" + std::wstring(254, L'e')},
        {L"C:\\x" + std::wstring(255, L'e'), L""},
        {L"C:\\x." + std::wstring(255, L'e'), L""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, GetFileNameOfPath(c.path)) << c.path.size();
}

TEST(GetParentDirectory, RemovesTheLastComponentOnly)
{
    EXPECT_EQ(L"C:\\App", GetParentDirectory(L"C:\\App\\host.exe"));
    EXPECT_EQ(L"", GetParentDirectory(L"C:\\"));
    EXPECT_EQ(L"", GetParentDirectory(L"host.exe"));
    EXPECT_EQ(L"", GetParentDirectory(L""));
    EXPECT_EQ(L"", GetParentDirectory(L"C:\\" + std::wstring(257, L'x')));
}

TEST(HostExecutable, IsThisTestProgram)
{
    const std::wstring exe = GetHostExePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(L"environment_tests.exe", GetFileNameOfPath(exe));
    EXPECT_EQ(TestBinaryDirectory(), GetHostExeDirectory());
}

TEST(ResolvePath, ResolvesRelativePathsAgainstTheHostDirectory)
{
    const std::wstring dir = GetHostExeDirectory();
    const std::wstring parent = GetParentDirectory(dir);
    EXPECT_EQ(dir + L"\\data\\lib.dat", ResolvePath(L"data\\lib.dat"));
    EXPECT_EQ(parent + L"\\lib.dat", ResolvePath(L"..\\lib.dat"));
    EXPECT_EQ(L"D:\\lib.dat", ResolvePath(L"D:\\lib.dat"));
    EXPECT_EQ(L"\\\\server\\share\\x", ResolvePath(L"\\\\server\\share\\x"));
    EXPECT_EQ(L"", ResolvePath(L""));
    EXPECT_EQ(L"", ResolvePath(std::wstring(300, L'x')));
}

TEST(CombinePath, ResolvesDotsAndFailsWhenTooLong)
{
    EXPECT_EQ(L"C:\\a\\c", CombinePath(L"C:\\a\\b", L"..\\c"));
    EXPECT_EQ(L"C:\\a\\b\\c", CombinePath(L"C:\\a\\b", L".\\c"));
    EXPECT_EQ(L"", CombinePath(L"C:\\" + std::wstring(200, L'a'), std::wstring(100, L'b')));
}

TEST(PathExists, SeesFilesAndDirectoriesResolvedAgainstTheHost)
{
    TempDirectory temp;
    WriteBytes(temp.File(L"f.dat"), "x");
    EXPECT_TRUE(PathExists(temp.File(L"f.dat")));
    EXPECT_TRUE(PathExists(temp.Path()));
    EXPECT_FALSE(PathExists(temp.File(L"missing.dat")));
    EXPECT_FALSE(PathExists(L""));
    // Relative to the executable's directory, not the current directory.
    EXPECT_TRUE(PathExists(L"environment_tests.exe"));
    EXPECT_TRUE(PathExists(L"..\\bin\\environment_tests.exe"));
}

} // namespace
