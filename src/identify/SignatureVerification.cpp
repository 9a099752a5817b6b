#include "identify/SignatureVerification.h"

#include "environment/TextUtils.h"
#include "environment/UniqueHandle.h"
#include "identify/LastErrorHResult.h"
#include "identify/TrustRecords.h"
#include "identify/TrustVerification.h"

#include <imagehlp.h>
#include <shlwapi.h>

namespace {

const int kMaxVerifiedCatalogs = 6;
const DWORD kHashBufferSize = 512;

// The catalog administrator context of one search, released on every exit.
class CatalogAdmin {
public:
    CatalogAdmin(WinMod::CWinModule_wintrust& wintrust, HCATADMIN admin) : wintrust_(wintrust), admin_(admin) {}
    ~CatalogAdmin() { wintrust_.CryptCATAdminReleaseContext(admin_, 0); }
    CatalogAdmin(const CatalogAdmin&) = delete;
    CatalogAdmin& operator=(const CatalogAdmin&) = delete;

    HCATADMIN Get() const { return admin_; }

private:
    WinMod::CWinModule_wintrust& wintrust_;
    HCATADMIN admin_;
};

// The catalog the search is at. Moving on hands it to the enumeration, which
// releases it; otherwise it is released here.
class CurrentCatalog {
public:
    CurrentCatalog(WinMod::CWinModule_wintrust& wintrust, const CatalogAdmin& admin, BYTE* hash, DWORD hashSize)
        : wintrust_(wintrust), admin_(admin), hash_(hash), hashSize_(hashSize),
          catalog_(wintrust.CryptCATAdminEnumCatalogFromHash(admin.Get(), hash, hashSize, 0, nullptr))
    {
    }
    ~CurrentCatalog() { Release(); }
    CurrentCatalog(const CurrentCatalog&) = delete;
    CurrentCatalog& operator=(const CurrentCatalog&) = delete;

    HCATINFO Get() const { return catalog_; }
    void MoveToNext()
    {
        catalog_ = wintrust_.CryptCATAdminEnumCatalogFromHash(admin_.Get(), hash_, hashSize_, 0, &catalog_);
    }
    void Release()
    {
        if (catalog_ != nullptr) wintrust_.CryptCATAdminReleaseCatalogContext(admin_.Get(), catalog_, 0);
        catalog_ = nullptr;
    }

private:
    WinMod::CWinModule_wintrust& wintrust_;
    const CatalogAdmin& admin_;
    BYTE* hash_;
    DWORD hashSize_;
    HCATINFO catalog_;
};

} // namespace

HRESULT VerifyFileSignature(const wchar_t* path, WinMod::CWinModule_wintrust& wintrust, SignerNames& names)
{
    UniqueHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        // Without a reason the search goes on without a file handle.
        if (error != 0) return HResultFromWin32Code(error);
    }

    WIN_CERTIFICATE certificate = {};
    if (ImageGetCertificateHeader(file.Get(), 0, &certificate) &&
        VerifyEmbeddedSignature(path, file.Get(), wintrust, names) == 0)
        return 0;
    return VerifyCatalogSignature(path, file.Get(), wintrust, names);
}

HRESULT VerifyEmbeddedSignature(const wchar_t* path, HANDLE file, WinMod::CWinModule_wintrust& wintrust,
                                SignerNames& names)
{
    const HRESULT loaded = wintrust.EnsureLoaded();
    if (FAILED(loaded)) return loaded;

    WINTRUST_FILE_INFO fileInfo = MakeTrustFileInfo(path, file);
    WINTRUST_DATA data = MakeTrustData(WTD_CHOICE_FILE, &fileInfo);
    TrustVerification verification(wintrust, kGenericVerifyV2, data);
    if (verification.Result() == 0) ReadSignerNames(&data, wintrust, &names);
    return verification.Result();
}

HRESULT VerifyCatalogSignature(const wchar_t* path, HANDLE file, WinMod::CWinModule_wintrust& wintrust,
                               SignerNames& names)
{
    const HRESULT loaded = wintrust.EnsureLoaded();
    if (FAILED(loaded)) return loaded;

    HCATADMIN adminHandle = nullptr;
    if (!wintrust.CryptCATAdminAcquireContext(&adminHandle, &kDriverActionVerify, 0)) return LastErrorHResult();
    const CatalogAdmin admin(wintrust, adminHandle);

    BYTE hash[kHashBufferSize] = {};
    DWORD hashSize = kHashBufferSize;
    if (!wintrust.CryptCATAdminCalcHashFromFileHandle(file, &hashSize, hash, 0)) return LastErrorHResult();

    // Catalogs list their members by lower-case path and file name.
    const std::wstring memberPath = ToLowerCopy(path);
    const wchar_t* memberTag = PathFindFileNameW(memberPath.c_str());

    CurrentCatalog catalog(wintrust, admin, hash, hashSize);
    for (int visited = 0; catalog.Get() != nullptr; ++visited, catalog.MoveToNext()) {
        if (visited == kMaxVerifiedCatalogs) {
            catalog.Release();
            break;
        }
        CATALOG_INFO catalogInfo = {};
        catalogInfo.cbStruct = kCatalogInfoSize;
        if (!wintrust.CryptCATCatalogInfoFromContext(catalog.Get(), &catalogInfo, 0)) continue;

        WINTRUST_CATALOG_INFO memberInfo = {};
        memberInfo.cbStruct = kTrustCatalogInfoSize;
        memberInfo.dwCatalogVersion = 0;
        memberInfo.pcwszCatalogFilePath = catalogInfo.wszCatalogFile;
        memberInfo.pcwszMemberTag = memberTag;
        memberInfo.pcwszMemberFilePath = memberPath.c_str();
        memberInfo.hMemberFile = file;
        memberInfo.pbCalculatedFileHash = hash;
        memberInfo.cbCalculatedFileHash = hashSize;
        WINTRUST_DATA data = MakeTrustData(WTD_CHOICE_CATALOG, &memberInfo);

        bool trusted = false;
        {
            TrustVerification verification(wintrust, kDriverActionVerify, data);
            if (verification.Result() == 0) {
                ReadSignerNames(&data, wintrust, &names);
                trusted = true;
            }
        }
        if (trusted) return 0;
    }
    return LastErrorHResult();
}
