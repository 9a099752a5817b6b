// The signer reader against Wine's own wintrust.dll and real signatures made
// by the build. Wine has no system catalogs, so the catalog route always
// ends empty here; its outcomes are shown with the double.
#include "identify/FileSignerName.h"
#include "identify/SignatureVerification.h"

#include "IdentifyFixtures.h"
#include "TempDirectory.h"
#include "environment/UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kSigner[] = L"AppAtlas Test Signer";

TEST(FileSignerName, NamesTheSignerOfAnIntactSignatureOnly)
{
    TempDirectory temp;
    CopyFixture(L"signed.exe", temp.File(L"signed.exe"));
    CopyFixture(L"tampered.exe", temp.File(L"tampered.exe"));
    CopyFixture(L"fixture-0409.exe", temp.File(L"unsigned.exe"));

    EXPECT_EQ(kSigner, GetFileSignerName(temp.File(L"signed.exe").c_str()));
    EXPECT_EQ(L"", GetFileSignerName(temp.File(L"tampered.exe").c_str()));
    EXPECT_EQ(L"", GetFileSignerName(temp.File(L"unsigned.exe").c_str()));
}

TEST(FileSignerName, EmbeddedVerificationReportsTheDigestFailure)
{
    const std::wstring path = FixturePath(L"tampered.exe");
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.Valid());
    WinMod::CWinModule_wintrust wintrust;
    SignerNames names;
    EXPECT_EQ(static_cast<HRESULT>(0x80096010), VerifyEmbeddedSignature(path.c_str(), file.Get(), wintrust, names));
    EXPECT_TRUE(names.empty());

    // Without a certificate entry nothing is verified as embedded; the
    // catalog route finds no catalog and fails.
    names.clear();
    EXPECT_NE(0, VerifyFileSignature(FixturePath(L"fixture-plain.exe").c_str(), wintrust, names));
    EXPECT_TRUE(names.empty());
}

TEST(FileSignerName, AnswersArePerPathTextAndOutliveTheFile)
{
    TempDirectory temp;
    const std::wstring upper = temp.File(L"App\\A.EXE");
    CopyFixture(L"signed.exe", upper);
    EXPECT_EQ(kSigner, GetFileSignerName(upper.c_str()));

    // The file goes: the cached answer stays, while another spelling of the
    // same path is a new entry, verified on its own first request.
    ASSERT_TRUE(DeleteFileW(upper.c_str()));
    EXPECT_EQ(kSigner, GetFileSignerName(upper.c_str()));
    const std::wstring lower = temp.File(L"app\\a.exe");
    EXPECT_EQ(L"", GetFileSignerName(lower.c_str()));

    // A miss is an answer too: the file created afterwards is not looked at.
    CopyFixture(L"signed.exe", lower);
    EXPECT_EQ(L"", GetFileSignerName(lower.c_str()));
}

} // namespace
