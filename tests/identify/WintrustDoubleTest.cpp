// The signer reader against the wintrust.dll double, for what Wine's own
// cannot be made to do: untrusted but intact signatures, catalogs, failing
// steps. The double records every call, so the records, flags and the
// pairing of verifications with their closing calls are checked as
// wintrust.dll receives them.
#include "identify/FileSignerName.h"
#include "identify/SignatureVerification.h"

#include "IdentifyFixtures.h"
#include "TempDirectory.h"
#include "WintrustDoubleHarness.h"
#include "environment/UniqueHandle.h"

#include <gtest/gtest.h>
#include <wintrust.h>

namespace {

const GUID kGenericVerifyV2 = {0x00AAC56B, 0xCD44, 0x11D0, {0x8C, 0xC2, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};
const GUID kDriverActionVerify = {0xF750E6C3, 0x38EE, 0x11D1, {0x85, 0xE5, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};

std::vector<int> Functions(const std::vector<DoubleCallRecord>& calls)
{
    std::vector<int> functions;
    for (const DoubleCallRecord& call : calls) functions.push_back(call.Function);
    return functions;
}

class WintrustDoubleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wintrust.Present()) << "wintrust.dll is not the double"; }

    // Each test has its own directory, so the process-wide cache never
    // answers from another test's call.
    std::wstring Copy(const wchar_t* fixture, const std::wstring& name)
    {
        const std::wstring path = temp.File(name);
        CopyFixture(fixture, path);
        return path;
    }
    DoubleScript SignedBy(PCCERT_CONTEXT first, PCCERT_CONTEXT second = nullptr)
    {
        DoubleScript script = NothingTrusted();
        script.ReportedSigners = 1;
        script.SignerCount = 1;
        script.Signers[0] = {second ? 2u : 1u, second ? 2 : 1, {first, second}};
        return script;
    }
    void ExpectNothingLeftOpen()
    {
        EXPECT_EQ(0, wintrust.OpenStates());
        EXPECT_EQ(0, wintrust.OpenCatalogs());
        EXPECT_EQ(0, wintrust.OpenAdmins());
    }

    WintrustDouble wintrust;
    TempDirectory temp;
    Certificate signer = LoadFixtureCertificate(L"signer-cert.der");
    Certificate catalogSigner = LoadFixtureCertificate(L"catalog-cert.der");
};

TEST_F(WintrustDoubleTest, EmbeddedSignatureIsVerifiedWithTheDocumentedRecordsAndCached)
{
    const std::wstring path = Copy(L"signed.exe", L"signed.exe");
    DoubleScript script = SignedBy(signer.get(), catalogSigner.get());
    script.EmbeddedResult = 0;
    wintrust.Script(script);

    EXPECT_EQ(L"AppAtlas Test Signer", GetFileSignerName(path.c_str()));
    const std::vector<DoubleCallRecord> calls = wintrust.Calls();
    EXPECT_EQ((std::vector<int>{kWinVerifyTrust, kProvDataFromStateData, kGetProvSignerFromChain,
                                kGetProvCertFromChain, kGetProvCertFromChain, kWinVerifyTrust}),
              Functions(calls));
    EXPECT_TRUE(EveryVerifyClosedOnce(calls));
    ASSERT_EQ(6u, calls.size());
    for (const DoubleCallRecord* verify : {&calls.front(), &calls.back()}) {
        EXPECT_EQ(INVALID_HANDLE_VALUE, static_cast<HANDLE>(verify->Window));
        EXPECT_TRUE(IsEqualGUID(kGenericVerifyV2, verify->Action));
        EXPECT_EQ(48u, verify->DataSize);
        EXPECT_EQ(2u, verify->UIChoice);          // WTD_UI_NONE
        EXPECT_EQ(0u, verify->RevocationChecks);  // WTD_REVOKE_NONE
        EXPECT_EQ(1u, verify->UnionChoice);       // WTD_CHOICE_FILE
        EXPECT_EQ(0x10u, verify->ProvFlags);      // WTD_REVOCATION_CHECK_NONE
        EXPECT_EQ(0u, verify->UIContext);
        EXPECT_TRUE(verify->OptionalPointersNull);
        EXPECT_EQ(16u, verify->InfoSize);
        EXPECT_EQ(path, verify->FilePath);
        EXPECT_NE(INVALID_HANDLE_VALUE, verify->File);
        EXPECT_FALSE(verify->KnownSubjectOrCatalogContext);
    }
    EXPECT_EQ(calls.front().StateData, calls[1].StateData);
    ExpectNothingLeftOpen();

    // A cache hit verifies nothing, whatever the double would now say.
    wintrust.Script(NothingTrusted());
    EXPECT_EQ(L"AppAtlas Test Signer", GetFileSignerName(path.c_str()));
    EXPECT_TRUE(wintrust.Calls().empty());
}

TEST_F(WintrustDoubleTest, IntactButUntrustedSignatureFallsBackToCatalogsAndNamesNoOne)
{
    const std::wstring path = Copy(L"signed.exe", L"untrusted.exe");
    DoubleScript script = SignedBy(signer.get());
    script.EmbeddedResult = static_cast<LONG>(CERT_E_UNTRUSTEDROOT);
    wintrust.Script(script);

    EXPECT_EQ(L"", GetFileSignerName(path.c_str()));
    const std::vector<DoubleCallRecord> calls = wintrust.Calls();
    EXPECT_EQ((std::vector<int>{kWinVerifyTrust, kWinVerifyTrust, kAcquireContext, kCalcHashFromFileHandle,
                                kEnumCatalogFromHash, kReleaseContext}),
              Functions(calls));
    EXPECT_TRUE(EveryVerifyClosedOnce(calls));
    ASSERT_EQ(6u, calls.size());
    EXPECT_TRUE(IsEqualGUID(kDriverActionVerify, calls[2].Subsystem));
    EXPECT_EQ(0u, calls[2].Flags);
    EXPECT_EQ(512u, calls[3].HashSize);
    EXPECT_EQ(0u, calls[3].Flags);
    EXPECT_NE(INVALID_HANDLE_VALUE, calls[3].File);
    EXPECT_EQ(20u, calls[4].HashSize);
    EXPECT_EQ(0, calls[4].PreviousCatalog);
    EXPECT_EQ(0u, calls[5].Flags);
    ExpectNothingLeftOpen();
}

TEST_F(WintrustDoubleTest, CatalogThatVerifiesAfterAFailedEmbeddedSignatureNamesItsSigner)
{
    const std::wstring path = Copy(L"tampered.exe", L"Mixed\\Tool.EXE");
    DoubleScript script = SignedBy(catalogSigner.get());
    script.EmbeddedResult = static_cast<LONG>(TRUST_E_BAD_DIGEST);
    script.Catalogs = 2;
    script.TrustedCatalog = 1;
    wintrust.Script(script);

    EXPECT_EQ(L"AppAtlas Catalog Signer", GetFileSignerName(path.c_str()));
    const std::vector<DoubleCallRecord> calls = wintrust.Calls();
    EXPECT_EQ((std::vector<int>{kWinVerifyTrust, kWinVerifyTrust, kAcquireContext, kCalcHashFromFileHandle,
                                kEnumCatalogFromHash, kCatalogInfoFromContext, kWinVerifyTrust,
                                kProvDataFromStateData, kGetProvSignerFromChain, kGetProvCertFromChain,
                                kWinVerifyTrust, kReleaseCatalogContext, kReleaseContext}),
              Functions(calls));
    EXPECT_TRUE(EveryVerifyClosedOnce(calls));
    ASSERT_EQ(13u, calls.size());

    EXPECT_EQ(524u, calls[5].InfoSize);
    EXPECT_EQ(0u, calls[5].Flags);
    const DoubleCallRecord& member = calls[6];
    EXPECT_TRUE(IsEqualGUID(kDriverActionVerify, member.Action));
    EXPECT_EQ(INVALID_HANDLE_VALUE, static_cast<HANDLE>(member.Window));
    EXPECT_EQ(48u, member.DataSize);
    EXPECT_EQ(2u, member.UnionChoice);  // WTD_CHOICE_CATALOG
    EXPECT_EQ(2u, member.UIChoice);
    EXPECT_EQ(0u, member.RevocationChecks);
    EXPECT_EQ(0x10u, member.ProvFlags);
    EXPECT_EQ(36u, member.InfoSize);
    EXPECT_EQ(0u, member.CatalogVersion);
    EXPECT_EQ(1, member.Catalog);
    EXPECT_EQ(L"tool.exe", std::wstring(member.MemberTag));
    std::wstring lower = path;
    for (wchar_t& c : lower)
        if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
    EXPECT_EQ(lower, member.FilePath);
    EXPECT_EQ(20u, member.HashSize);
    EXPECT_NE(INVALID_HANDLE_VALUE, member.File);
    EXPECT_FALSE(member.KnownSubjectOrCatalogContext);
    EXPECT_EQ(1, calls[11].Catalog);
    ExpectNothingLeftOpen();
}

struct CatalogCase {
    int catalogs;
    int trusted;
    int withoutInfo;
    bool named;
    std::vector<int> verified;  // catalogs verified, in order
};

class CatalogSearch : public WintrustDoubleTest, public ::testing::WithParamInterface<CatalogCase> {};

TEST_P(CatalogSearch, VerifiesAtMostSixCatalogsAndReleasesEveryOne)
{
    const CatalogCase& c = GetParam();
    const std::wstring path = Copy(L"fixture-plain.exe", L"unsigned.exe");
    DoubleScript script = SignedBy(catalogSigner.get());
    script.Catalogs = c.catalogs;
    script.TrustedCatalog = c.trusted;
    script.CatalogWithoutInfo = c.withoutInfo;
    wintrust.Script(script);

    EXPECT_EQ(c.named ? L"AppAtlas Catalog Signer" : L"", GetFileSignerName(path.c_str()));
    const std::vector<DoubleCallRecord> calls = wintrust.Calls();
    EXPECT_TRUE(EveryVerifyClosedOnce(calls));
    ASSERT_FALSE(calls.empty());
    // No certificate entry: straight to the catalogs.
    EXPECT_EQ(kAcquireContext, calls.front().Function);
    std::vector<int> verified;
    for (const DoubleCallRecord& call : wintrust.Calls(kWinVerifyTrust)) {
        EXPECT_EQ(2u, call.UnionChoice);
        if (call.StateAction == WTD_STATEACTION_VERIFY) verified.push_back(call.Catalog);
    }
    EXPECT_EQ(c.verified, verified);
    if (c.catalogs > 6) {
        // The seventh is handed out, released at once, and never read.
        const std::vector<DoubleCallRecord> releases = wintrust.Calls(kReleaseCatalogContext);
        ASSERT_EQ(1u, releases.size());
        EXPECT_EQ(7, releases[0].Catalog);
        for (const DoubleCallRecord& info : wintrust.Calls(kCatalogInfoFromContext)) EXPECT_NE(7, info.Catalog);
    }
    EXPECT_EQ(kReleaseContext, calls.back().Function);
    ExpectNothingLeftOpen();
}

INSTANTIATE_TEST_SUITE_P(Outcomes, CatalogSearch, ::testing::Values(
    CatalogCase{7, 0, 0, false, {1, 2, 3, 4, 5, 6}},
    CatalogCase{7, 7, 0, false, {1, 2, 3, 4, 5, 6}},
    CatalogCase{6, 6, 0, true, {1, 2, 3, 4, 5, 6}},
    CatalogCase{5, 3, 0, true, {1, 2, 3}},
    CatalogCase{3, 2, 1, true, {2}},
    CatalogCase{0, 0, 0, false, {}}));

TEST_F(WintrustDoubleTest, FailingCatalogAdministrationNamesNoOneAndReleasesTheContext)
{
    DoubleScript script = SignedBy(catalogSigner.get());
    script.Catalogs = 1;
    script.TrustedCatalog = 1;
    script.AcquireFails = TRUE;
    wintrust.Script(script);
    EXPECT_EQ(L"", GetFileSignerName(Copy(L"fixture-plain.exe", L"acquire.exe").c_str()));
    EXPECT_EQ((std::vector<int>{kAcquireContext}), Functions(wintrust.Calls()));

    script.AcquireFails = FALSE;
    script.HashFails = TRUE;
    wintrust.Script(script);
    EXPECT_EQ(L"", GetFileSignerName(Copy(L"fixture-plain.exe", L"hash.exe").c_str()));
    EXPECT_EQ((std::vector<int>{kAcquireContext, kCalcHashFromFileHandle, kReleaseContext}),
              Functions(wintrust.Calls()));
    ExpectNothingLeftOpen();
}

struct NamesCase {
    const char* what;
    DoubleScript script;
    std::vector<int> names;  // 0: empty name, 1: signer, 2: catalog signer
};

TEST_F(WintrustDoubleTest, SignerNamesWalkEverySignersChain)
{
    PCCERT_CONTEXT s = signer.get();
    PCCERT_CONTEXT c = catalogSigner.get();
    DoubleScript twoSigners = SignedBy(s, c);
    twoSigners.ReportedSigners = 2;
    twoSigners.SignerCount = 2;
    twoSigners.Signers[1] = {1, 1, {c}};
    DoubleScript shortChain = twoSigners;
    shortChain.Signers[0] = {3, 1, {s}};  // says three, gives one: next signer
    DoubleScript missingSigner = twoSigners;
    missingSigner.SignerCount = 1;  // says two, gives one: stop
    DoubleScript noContext = SignedBy(nullptr, s);
    DoubleScript noProvider = SignedBy(s);
    noProvider.NoProviderData = TRUE;

    const NamesCase cases[] = {
        {"two signers", twoSigners, {1, 2, 2}},
        {"short chain", shortChain, {1, 2}},
        {"missing signer", missingSigner, {1, 2}},
        {"certificate without context", noContext, {0, 1}},
        {"no provider data", noProvider, {}},
    };
    const std::wstring path = Copy(L"signed.exe", L"names.exe");
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.Valid());
    const std::wstring texts[] = {L"", L"AppAtlas Test Signer", L"AppAtlas Catalog Signer"};
    for (const NamesCase& one : cases) {
        DoubleScript script = one.script;
        script.EmbeddedResult = 0;
        wintrust.Script(script);
        WinMod::CWinModule_wintrust binding;
        SignerNames names;
        EXPECT_EQ(0, VerifyEmbeddedSignature(path.c_str(), file.Get(), binding, names)) << one.what;
        std::vector<std::wstring> expected;
        for (int n : one.names) expected.push_back(texts[n]);
        EXPECT_EQ(expected, names) << one.what;
        EXPECT_TRUE(EveryVerifyClosedOnce(wintrust.Calls())) << one.what;
    }

    // The first certificate names the signer, even when it has no name.
    DoubleScript script = noContext;
    script.EmbeddedResult = 0;
    wintrust.Script(script);
    EXPECT_EQ(L"", GetFileSignerName(path.c_str()));
    ExpectNothingLeftOpen();
}

} // namespace
