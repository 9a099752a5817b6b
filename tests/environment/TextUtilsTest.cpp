#include "environment/TextUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8ToWide, ConvertsUpToTheFirstNul)
{
    struct Case {
        std::string input;
        std::wstring expected;
    } cases[] = {
        {"", L""},
        {"notepad.exe", L"notepad.exe"},
        {"\xE2\x82\xAC", L"\x20AC"},
        {std::string("a\0b", 3), L"a"},
        {"\xC3\xA4" "x", L"\x00E4x"},
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
    };
    for (const Case& c : cases) {
        std::wstring out = L"stale";
        EXPECT_TRUE(Utf8ToWide(c.input, out)) << c.input;
        EXPECT_EQ(c.expected, out) << c.input;
        EXPECT_EQ(c.expected, Utf8ToWideOrEmpty(c.input));
    }
}

TEST(Utf8ToWide, MalformedInputFollowsTheSystemReplacementRules)
{
    // Flags 0: an invalid byte does not fail the conversion.
    std::wstring out;
    EXPECT_TRUE(Utf8ToWide(std::string("a\xFF" "b"), out));
    EXPECT_EQ(L'a', out.front());
    EXPECT_EQ(L'b', out.back());
}

TEST(ToLowerCopy, FoldsOnlyAsciiCapitals)
{
    EXPECT_EQ(L"notepad.exe", ToLowerCopy(L"NOTEPAD.EXE"));
    EXPECT_EQ(L"\x00C4" L"bc", ToLowerCopy(L"\x00C4" L"BC"));
    EXPECT_EQ(L"@[`{", ToLowerCopy(L"@[`{"));
    EXPECT_EQ(L"", ToLowerCopy(L""));
}

TEST(TrimSpaces, RemovesOnlySpaceCharacters)
{
    EXPECT_EQ(L"a b", TrimSpaces(L"  a b  "));
    EXPECT_EQ(L"\ta", TrimSpaces(L"\ta "));
    EXPECT_EQ(L"a\n", TrimSpaces(L" a\n"));
    EXPECT_EQ(L"", TrimSpaces(L"    "));
    EXPECT_EQ(L"", TrimSpaces(L""));
}

TEST(SplitAndTrim, GivesTrimmedNonEmptyTokensInOrder)
{
    using Tokens = std::vector<std::wstring>;
    EXPECT_EQ((Tokens{L"C:", L"Windows", L"notepad.exe"}), SplitAndTrim(L"\\", L"C:\\Windows\\notepad.exe"));
    EXPECT_EQ((Tokens{L"server", L"share", L"x.exe"}), SplitAndTrim(L"\\", L"\\\\server\\ share \\\\x.exe"));
    EXPECT_EQ((Tokens{L"a"}), SplitAndTrim(L"\\", L"\\a\\"));
    EXPECT_EQ((Tokens{}), SplitAndTrim(L"\\", L"\\  \\\\"));
    EXPECT_EQ((Tokens{}), SplitAndTrim(L"\\", L""));
    // Forward slashes are not separators.
    EXPECT_EQ((Tokens{L"D:/x/y.exe"}), SplitAndTrim(L"\\", L"D:/x/y.exe"));
    // A longer delimiter matches whole, case-sensitively.
    EXPECT_EQ((Tokens{L"a", L"bXyc"}), SplitAndTrim(L"xy", L"axy bXyc"));
}

} // namespace
