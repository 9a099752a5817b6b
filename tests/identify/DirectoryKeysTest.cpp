#include "identify/DirectoryKeys.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const wchar_t* path;
    const wchar_t* text;
    bool matches;
};

class DirectoryKeysTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DirectoryKeysTable, PathsTextAgainstThePathsKeys)
{
    const KeyCase& c = GetParam();
    const std::wstring path = c.path;
    EXPECT_EQ(c.matches, DirectoryKeys(path).Matches(c.text)) << "path " << path.size() << " chars";
}

INSTANTIATE_TEST_SUITE_P(Keys, DirectoryKeysTable, ::testing::Values(
    // One level: the directory that holds the file; two: the two above it.
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"App", true},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"Vendor\\App", true},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"vendor\\APP", true},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"Vendor", false},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"Program Files\\Vendor", false},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"Vendor\\App\\", false},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"\\Vendor\\App", false},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L"Files\\Vendor\\App", false},
    KeyCase{L"C:\\Program Files\\Vendor\\App\\app.exe", L" App", false},
    // Three components: both keys are the middle one.
    KeyCase{L"C:\\Windows\\notepad.exe", L"Windows", true},
    KeyCase{L"C:\\Windows\\notepad.exe", L"C:\\Windows", false},
    KeyCase{L"C:\\Windows\\system32\\x.exe", L"System32", true},
    // Fewer than three: both keys are empty, which only an empty text equals.
    KeyCase{L"C:\\x.exe", L"System32", false},
    KeyCase{L"C:\\x.exe", L"", true},
    KeyCase{L"app.exe", L"", true},
    KeyCase{L"C:\\Windows\\notepad.exe", L"", false},
    // UNC: the empty components before the server are dropped.
    KeyCase{L"\\\\server\\share\\dir\\x.exe", L"dir", true},
    KeyCase{L"\\\\server\\share\\dir\\x.exe", L"share\\dir", true},
    // Spaces around components and repeated backslashes do not count.
    KeyCase{L"C:\\ Vendor \\\\ App \\app.exe", L"Vendor\\App", true},
    KeyCase{L"C:\\Vendor\\\\App\\\\app.exe", L"App", true},
    // Forward slashes do not separate: one component only.
    KeyCase{L"C:/Tools/x.exe", L"Tools", false},
    KeyCase{L"C:/Tools/x.exe", L"", true},
    // Only A-Z fold: other letters must match exactly.
    KeyCase{L"C:\\Programme\\\x00C4pp\\a.exe", L"\x00E4pp", false},
    KeyCase{L"C:\\Programme\\\x00C4PP\\a.exe", L"\x00C4pp", true}));

} // namespace
