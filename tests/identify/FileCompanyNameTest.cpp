#include "identify/FileCompanyName.h"

#include "IdentifyFixtures.h"
#include "TempDirectory.h"
#include "VersionResourceWriter.h"

#include <gtest/gtest.h>

namespace {

struct CompanyCase {
    const wchar_t* fixture;
    const wchar_t* expected;
};

class CompanyNameOfFixture : public ::testing::TestWithParam<CompanyCase> {};

TEST_P(CompanyNameOfFixture, ReadsTheFirstTranslationsTable)
{
    EXPECT_EQ(GetParam().expected, GetFileCompanyName(FixturePath(GetParam().fixture).c_str()));
}

INSTANTIATE_TEST_SUITE_P(Windres, CompanyNameOfFixture, ::testing::Values(
    CompanyCase{L"fixture-0409.exe", L"Vendor Fixture Co"},
    // 0804/04B0 is read under 080404b0, not from the US English table.
    CompanyCase{L"fixture-0804.exe", L"Fixture Zh Co"},
    // Only the first translation counts, even when a later one has a name.
    CompanyCase{L"fixture-second-translation.exe", L""},
    CompanyCase{L"fixture-trailing-spaces.exe", L"Spaced Co   "},
    CompanyCase{L"fixture-upper-table.exe", L"Upper Table Co"},
    CompanyCase{L"fixture-no-translation.exe", L""},
    CompanyCase{L"fixture-plain.exe", L""},
    CompanyCase{L"fixture-library.dll", L"Library Fixture Co"},
    CompanyCase{L"no-such-file.exe", L""}));

// Values windres cannot write, put into a copy of the plain executable.
class CompanyNameOfWrittenResource : public ::testing::Test {
protected:
    std::wstring WithCompanyName(const std::wstring& value, WORD statedLength)
    {
        const std::wstring path = temp.File(L"written" + std::to_wstring(++count) + L".exe");
        CopyFixture(L"fixture-plain.exe", path);
        WriteVersionResource(path, CompanyNameResource(0x0409, 0x04B0, value, statedLength));
        return path;
    }
    TempDirectory temp;
    int count = 0;
};

TEST_F(CompanyNameOfWrittenResource, CutsAtANulInsideTheStatedLength)
{
    const std::wstring value(L"Before\0After\0", 13);
    EXPECT_EQ(L"Before", GetFileCompanyName(WithCompanyName(value, 13).c_str()));
    EXPECT_EQ(L"Whole Co", GetFileCompanyName(WithCompanyName(std::wstring(L"Whole Co\0", 9), 9).c_str()));
}

TEST_F(CompanyNameOfWrittenResource, NeverReadsPastAValueWithoutNul)
{
    // Four characters and no terminator, followed at once by the next value's
    // header, whose first word is not zero: only the stated length is text.
    EXPECT_EQ(L"ACME", GetFileCompanyName(WithCompanyName(L"ACME", 4).c_str()));
}

} // namespace
