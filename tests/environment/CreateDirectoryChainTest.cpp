#include "environment/CreateDirectoryChain.h"

#include "FileFixtures.h"
#include "TempDirectory.h"

#include <gtest/gtest.h>

namespace {

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CreateDirectoryChain, CreatesWhatIsMissingAndReportsWhetherItDid)
{
    TempDirectory temp;
    const std::wstring deep = temp.File(L"a\\b\\c");
    EXPECT_EQ(0, CreateDirectoryChain(deep));
    EXPECT_TRUE(IsDirectory(temp.File(L"a\\b")));
    EXPECT_TRUE(IsDirectory(deep));
    EXPECT_EQ(1, CreateDirectoryChain(deep));
    EXPECT_EQ(1, CreateDirectoryChain(deep + L"\\"));
    EXPECT_EQ(1, CreateDirectoryChain(temp.Path()));
    EXPECT_EQ(1, CreateDirectoryChain(L""));

    EXPECT_EQ(0, CreateDirectoryChain(temp.File(L"t\\")));
    EXPECT_TRUE(IsDirectory(temp.File(L"t")));
}

TEST(CreateDirectoryChain, AFileInTheChainCountsAsExistingAndStopsTheChain)
{
    TempDirectory temp;
    WriteBytes(temp.File(L"file"), "x");
    EXPECT_EQ(1, CreateDirectoryChain(temp.File(L"file")));

    const HRESULT result = CreateDirectoryChain(temp.File(L"file\\sub\\deeper"));
    EXPECT_LT(result, 0);
    EXPECT_EQ(0x80070000u, unsigned(result) & 0xFFFF0000u);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(temp.File(L"file\\sub").c_str()));
}

TEST(CreateDirectoryChain, NetworkPathFailsAtItsEmptyFirstPrefix)
{
    const HRESULT result = CreateDirectoryChain(L"\\\\aat-no-such-server\\share\\Data");
    EXPECT_LT(result, 0);
    EXPECT_EQ(0x80070000u, unsigned(result) & 0xFFFF0000u);
}

} // namespace
