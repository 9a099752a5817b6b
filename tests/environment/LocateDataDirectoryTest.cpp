#include "environment/LocateDataDirectory.h"

#include "FileFixtures.h"
#include "TestRegistryKey.h"

#include <gtest/gtest.h>

namespace {

class LocateDataDirectoryTest : public ::testing::Test {
protected:
    BrandingInfo Branding() const
    {
        BrandingInfo branding;
        branding.RegistryKey = key.Path();
        return branding;
    }

    std::wstring Locate(HRESULT expected = S_OK)
    {
        std::wstring directory = L"untouched";
        EXPECT_EQ(expected, LocateDataDirectory(Branding(), GetModuleHandleW(nullptr), directory));
        return directory;
    }

    TestRegistryKey key;
    const std::wstring fallback = TestBinaryDirectory() + L"\\Data";
};

TEST_F(LocateDataDirectoryTest, AcceptsOnlyTerminatedStringsThatFit)
{
    const std::wstring fits(259, L'f');
    const std::wstring tooLong(260, L'g');
    struct Case {
        const char* name;
        DWORD type;
        std::wstring bytes;  // written as they are, terminator only when listed
        std::wstring expected;
    } cases[] = {
        {"plain", REG_SZ, std::wstring(L"C:\\Lib") + L'\0', L"C:\\Lib"},
        {"expand taken literally", REG_EXPAND_SZ, std::wstring(L"%TEMP%\\Lib") + L'\0', L"%TEMP%\\Lib"},
        {"trailing backslash kept", REG_SZ, std::wstring(L"D:\\Lib\\") + L'\0', L"D:\\Lib\\"},
        {"zero bytes", REG_SZ, L"", L""},
        {"just the terminator", REG_SZ, std::wstring(1, L'\0'), L""},
        {"259 characters", REG_SZ, fits + L'\0', fits},
        {"260 characters", REG_SZ, tooLong + L'\0', fallback},
        {"not terminated", REG_SZ, L"C:\\Lib", fallback},
        {"inner terminator ends the text", REG_SZ, std::wstring(L"C:\\A") + L'\0' + L"junk" + L'\0', L"C:\\A"},
        {"multi string", REG_MULTI_SZ, std::wstring(L"C:\\Lib") + L'\0' + L'\0', fallback},
        {"binary", REG_BINARY, std::wstring(L"C:\\Lib") + L'\0', fallback},
    };
    for (const Case& c : cases) {
        key.SetRaw(c.type, c.bytes.data(), DWORD(c.bytes.size() * sizeof(wchar_t)));
        EXPECT_EQ(c.expected, Locate()) << c.name;
    }
}

TEST_F(LocateDataDirectoryTest, OddByteCountsAndOtherTypesFallBack)
{
    const wchar_t text[] = L"C:\\Lib";
    key.SetRaw(REG_SZ, text, sizeof text - 1);
    EXPECT_EQ(fallback, Locate());

    const DWORD number = 42;
    key.SetRaw(REG_DWORD, &number, sizeof number);
    EXPECT_EQ(fallback, Locate());
}

TEST_F(LocateDataDirectoryTest, MissingValueOrKeyFallsBackBesideTheGivenModule)
{
    EXPECT_EQ(fallback, Locate());

    BrandingInfo missing;
    missing.RegistryKey = key.Path() + L"\\Missing";
    std::wstring directory;
    EXPECT_EQ(S_OK, LocateDataDirectory(missing, GetModuleHandleW(nullptr), directory));
    EXPECT_EQ(fallback, directory);
}

TEST_F(LocateDataDirectoryTest, UnreadableModuleNameIsReportedWithoutDirectory)
{
    // No module is loaded at this address.
    const HMODULE bogus = reinterpret_cast<HMODULE>(0x10);
    std::wstring directory = L"untouched";
    const HRESULT result = LocateDataDirectory(Branding(), bogus, directory);
    EXPECT_LT(result, 0);
    EXPECT_EQ(0x80070000u, unsigned(result) & 0xFFFF0000u);
    EXPECT_EQ(L"untouched", directory);
}

} // namespace
