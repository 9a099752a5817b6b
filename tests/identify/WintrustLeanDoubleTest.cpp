// A wintrust.dll without WTHelperProvDataFromStateData and
// CryptCATAdminEnumCatalogFromHash: what each missing entry point costs.
#include "identify/FileSignerName.h"

#include "IdentifyFixtures.h"
#include "TempDirectory.h"
#include "WintrustDoubleHarness.h"

#include <gtest/gtest.h>

namespace {

class WintrustLeanDouble : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wintrust.Present()) << "wintrust.dll is not the double";
        ASSERT_EQ(nullptr, GetProcAddress(GetModuleHandleW(L"wintrust.dll"), "WTHelperProvDataFromStateData"));
    }
    WintrustDouble wintrust;
    TempDirectory temp;
};

TEST_F(WintrustLeanDouble, VerifiedSignatureWithoutProviderDataNamesNoOneButIsClosed)
{
    const std::wstring path = temp.File(L"signed.exe");
    CopyFixture(L"signed.exe", path);
    DoubleScript script = NothingTrusted();
    script.EmbeddedResult = 0;
    wintrust.Script(script);

    EXPECT_EQ(L"", GetFileSignerName(path.c_str()));
    const std::vector<DoubleCallRecord> calls = wintrust.Calls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(kWinVerifyTrust, calls[0].Function);
    EXPECT_EQ(kWinVerifyTrust, calls[1].Function);
    EXPECT_TRUE(EveryVerifyClosedOnce(calls));
    EXPECT_EQ(0, wintrust.OpenStates());
}

TEST_F(WintrustLeanDouble, WithoutCatalogEnumerationTheSearchEndsAndTheContextIsReleased)
{
    const std::wstring path = temp.File(L"unsigned.exe");
    CopyFixture(L"fixture-plain.exe", path);
    DoubleScript script = NothingTrusted();
    script.Catalogs = 1;
    script.TrustedCatalog = 1;
    wintrust.Script(script);

    EXPECT_EQ(L"", GetFileSignerName(path.c_str()));
    std::vector<int> functions;
    for (const DoubleCallRecord& call : wintrust.Calls()) functions.push_back(call.Function);
    EXPECT_EQ((std::vector<int>{kAcquireContext, kCalcHashFromFileHandle, kReleaseContext}), functions);
    EXPECT_EQ(0, wintrust.OpenAdmins());
}

} // namespace
