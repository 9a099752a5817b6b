#include "environment/DataDirectoryAcl.h"
#include "environment/DataFilePath.h"

#include "DaclReader.h"
#include "FileFixtures.h"
#include "TempDirectory.h"
#include "TestRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsEmptyDirectory(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool empty = true;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") empty = false;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return empty;
}

// Runs the test with the current directory moved into an empty directory
// of its own, to see relative directories land there.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& path)
    {
        GetCurrentDirectoryW(MAX_PATH, saved_);
        CreateDirectoryW(path.c_str(), nullptr);
        SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryW(saved_); }

private:
    wchar_t saved_[MAX_PATH] = {};
};

// A DLL of this build copied into the test's directory, so the fallback
// "Data" directory beside it is the test's own.
class CopiedModule {
public:
    explicit CopiedModule(const std::wstring& path)
    {
        CopyFileW((TestBinaryDirectory() + L"\\oem\\off\\brandhub.dll").c_str(), path.c_str(), FALSE);
        handle_ = LoadLibraryW(path.c_str());
    }
    ~CopiedModule()
    {
        if (handle_ != nullptr) FreeLibrary(handle_);
    }
    CopiedModule(const CopiedModule&) = delete;
    CopiedModule& operator=(const CopiedModule&) = delete;
    HMODULE Get() const { return handle_; }

private:
    HMODULE handle_ = nullptr;
};

class ComposeDataFilePathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, module.Get());
        branding.RegistryKey = key.Path();
    }

    std::wstring Compose() { return ComposeDataFilePath(branding, module.Get()); }

    TempDirectory temp;
    TestRegistryKey key;
    CopiedModule module{temp.File(L"module.dll")};
    BrandingInfo branding;
};

TEST_F(ComposeDataFilePathTest, RegistryDirectoryIsCreatedWhenMissing)
{
    const std::wstring directory = temp.File(L"Lib\\Sub");
    key.SetString(directory);
    EXPECT_EQ(directory + L"\\appatlas.dat", Compose());
    EXPECT_TRUE(Exists(directory));
    EXPECT_EQ(directory + L"\\appatlas.dat", Compose());
}

TEST_F(ComposeDataFilePathTest, TrailingBackslashGivesTwoAndNoExtraDirectory)
{
    const std::wstring directory = temp.File(L"Lib");
    key.SetString(directory + L"\\");
    EXPECT_EQ(directory + L"\\\\appatlas.dat", Compose());
    EXPECT_TRUE(IsEmptyDirectory(directory));
}

TEST_F(ComposeDataFilePathTest, EmptyValueGivesTheBareFileNameAndCreatesNothing)
{
    CurrentDirectory cwd(temp.File(L"cwd"));
    key.SetRaw(REG_SZ, L"", 0);
    EXPECT_EQ(L"\\appatlas.dat", Compose());
    EXPECT_TRUE(IsEmptyDirectory(temp.File(L"cwd")));
}

TEST_F(ComposeDataFilePathTest, UnusableValuesFallBackToDataBesideTheModule)
{
    const std::wstring fallback = temp.File(L"Data");
    const DWORD number = 7;
    const std::wstring tooLong = temp.File(std::wstring(260, L'x'));
    struct Case {
        const char* name;
        std::function<void()> set;
    } cases[] = {
        {"missing", [] {}},
        {"REG_DWORD", [&] { key.SetRaw(REG_DWORD, &number, sizeof number); }},
        {"260 characters", [&] { key.SetString(tooLong); }},
    };
    for (const Case& c : cases) {
        c.set();
        EXPECT_EQ(fallback + L"\\appatlas.dat", Compose()) << c.name;
        EXPECT_TRUE(Exists(fallback)) << c.name;
        RemoveDirectoryW(fallback.c_str());
    }
}

TEST_F(ComposeDataFilePathTest, ExpandStringIsCreatedLiterallyBelowTheCurrentDirectory)
{
    CurrentDirectory cwd(temp.File(L"cwd"));
    SetEnvironmentVariableW(L"AAT_NOT_EXPANDED", L"expanded");
    key.SetString(L"%AAT_NOT_EXPANDED%\\d", REG_EXPAND_SZ);
    EXPECT_EQ(L"%AAT_NOT_EXPANDED%\\d\\appatlas.dat", Compose());
    SetEnvironmentVariableW(L"AAT_NOT_EXPANDED", nullptr);
    EXPECT_TRUE(Exists(temp.File(L"cwd\\%AAT_NOT_EXPANDED%\\d")));
    EXPECT_FALSE(Exists(temp.File(L"cwd\\expanded")));
}

TEST_F(ComposeDataFilePathTest, FailedCreationStillComposesThePath)
{
    WriteBytes(temp.File(L"file"), "x");
    const std::wstring cases[] = {temp.File(L"file\\sub"), L"\\\\aat-no-such-server\\share"};
    for (const std::wstring& directory : cases) {
        key.SetString(directory);
        EXPECT_EQ(directory + L"\\appatlas.dat", Compose());
    }
    EXPECT_FALSE(Exists(temp.File(L"file\\sub")));
}

TEST_F(ComposeDataFilePathTest, FromVersionSixOnNewDirectoriesKeepTheirAccessList)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExW(&version));
    ASSERT_GE(version.dwMajorVersion, 6u) << "the XP behaviour runs in a child process of its own";

    const std::wstring reference = temp.File(L"reference");
    ASSERT_TRUE(CreateDirectoryW(reference.c_str(), nullptr));
    const std::wstring directory = temp.File(L"made");
    key.SetString(directory);
    Compose();

    const DaclSnapshot expected = ReadDacl(reference);
    const DaclSnapshot got = ReadDacl(directory);
    ASSERT_TRUE(expected.Read);
    ASSERT_TRUE(got.Read);
    EXPECT_EQ(expected.Entries, got.Entries);

    EXPECT_EQ(S_OK, ApplyDataDirectoryAcl(directory));
    EXPECT_EQ(expected.Entries, ReadDacl(directory).Entries);
}

} // namespace
