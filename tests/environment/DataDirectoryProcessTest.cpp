// ComposeDataFilePath in processes of their own: the branding key that the
// OEM DLL names, and the access list a new directory gets on Windows XP.

#include "HostProcess.h"
#include "TestRegistryKey.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class EnvironmentVariable {
public:
    EnvironmentVariable(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~EnvironmentVariable() { SetEnvironmentVariableW(name_, nullptr); }

private:
    const wchar_t* name_;
};

TEST(DataDirectoryProcess, OemBrandingNamesTheKeyThatHoldsDataPath)
{
    TestRegistryKey key;
    EnvironmentVariable oemKey(L"BRANDHUB_KEY", key.Name());
    HostDirectory host(L"on");
    key.SetString(host.File(L"Lib"));

    auto values = host.Run(L"compose");
    EXPECT_EQ(host.File(L"Lib\\appatlas.dat"), values[L"path"]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(host.File(L"Lib").c_str()));
}

// Wine reports Windows XP to executables of this name.
class WindowsXpHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        const wchar_t winxp[] = L"winxp";
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(winxp),
                                                sizeof winxp));
    }
    void TearDown() override
    {
        RegCloseKey(key);
        RegDeleteKeyW(HKEY_CURRENT_USER, kAppDefaults);
    }

    static constexpr const wchar_t* kAppDefaults = L"Software\\Wine\\AppDefaults\\envhost_xp.exe";
    HKEY key = nullptr;
    HostDirectory host{L"", L"envhost_xp.exe"};
};

// Wine keeps no access list of its own on files: it derives the one it
// reports from the Unix mode, so what was written cannot be read back. The
// list's content is checked where it is built; here the version gate: below
// version 6 the list is read (a missing directory fails that read) and
// written, from version 6 on nothing is touched.
TEST_F(WindowsXpHost, BelowVersionSixTheListIsReadAndWritten)
{
    auto values = host.Run(L"compose");
    ASSERT_EQ(L"5", values[L"major"]);
    // The host links the module's code itself, so "Data" lies beside it.
    EXPECT_EQ(host.File(L"Data\\appatlas.dat"), values[L"path"]);

    EXPECT_EQ(L"00000000", host.Run(L"acl " + Quote(host.File(L"Data")))[L"result"]);
    EXPECT_EQ(L"80070002", host.Run(L"acl " + Quote(host.File(L"Missing")))[L"result"]);

    HostDirectory current;
    EXPECT_EQ(L"00000000", current.Run(L"acl " + Quote(current.File(L"Missing")))[L"result"]);
}

} // namespace
