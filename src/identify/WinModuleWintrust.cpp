#include "identify/WinModuleWintrust.h"

#include "identify/LastErrorHResult.h"

namespace WinMod {

HRESULT CWinModule_wintrust::EnsureLoaded()
{
    if (Module != nullptr) return S_OK;
    const HMODULE loaded = LoadLibraryW(L"wintrust.dll");
    if (loaded == nullptr) return LastErrorHResult();
    Unload();
    Module = loaded;
    return S_OK;
}

void CWinModule_wintrust::Unload()
{
    acquireContext_ = nullptr;
    releaseContext_ = nullptr;
    releaseCatalogContext_ = nullptr;
    catalogInfoFromContext_ = nullptr;
    calcHashFromFileHandle_ = nullptr;
    enumCatalogFromHash_ = nullptr;
    winVerifyTrust_ = nullptr;
    provDataFromStateData_ = nullptr;
    getProvSignerFromChain_ = nullptr;
    getProvCertFromChain_ = nullptr;
    CWinModule::Unload();
}

template <typename Fn>
Fn CWinModule_wintrust::Resolve(Fn& slot, const char* name)
{
    if (slot == nullptr && Module != nullptr)
        slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(Module, name)));
    return slot;
}

BOOL CWinModule_wintrust::CryptCATAdminAcquireContext(HCATADMIN* admin, const GUID* subsystem, DWORD flags)
{
    const auto fn = Resolve(acquireContext_, "CryptCATAdminAcquireContext");
    return fn != nullptr ? fn(admin, subsystem, flags) : FALSE;
}

BOOL CWinModule_wintrust::CryptCATAdminReleaseContext(HCATADMIN admin, DWORD flags)
{
    const auto fn = Resolve(releaseContext_, "CryptCATAdminReleaseContext");
    return fn != nullptr ? fn(admin, flags) : FALSE;
}

BOOL CWinModule_wintrust::CryptCATAdminReleaseCatalogContext(HCATADMIN admin, HCATINFO catalog, DWORD flags)
{
    const auto fn = Resolve(releaseCatalogContext_, "CryptCATAdminReleaseCatalogContext");
    return fn != nullptr ? fn(admin, catalog, flags) : FALSE;
}

BOOL CWinModule_wintrust::CryptCATCatalogInfoFromContext(HCATINFO catalog, CATALOG_INFO* info, DWORD flags)
{
    const auto fn = Resolve(catalogInfoFromContext_, "CryptCATCatalogInfoFromContext");
    return fn != nullptr ? fn(catalog, info, flags) : FALSE;
}

BOOL CWinModule_wintrust::CryptCATAdminCalcHashFromFileHandle(HANDLE file, DWORD* hashSize, BYTE* hash, DWORD flags)
{
    const auto fn = Resolve(calcHashFromFileHandle_, "CryptCATAdminCalcHashFromFileHandle");
    return fn != nullptr ? fn(file, hashSize, hash, flags) : FALSE;
}

HCATINFO CWinModule_wintrust::CryptCATAdminEnumCatalogFromHash(HCATADMIN admin, BYTE* hash, DWORD hashSize,
                                                               DWORD flags, HCATINFO* previous)
{
    const auto fn = Resolve(enumCatalogFromHash_, "CryptCATAdminEnumCatalogFromHash");
    return fn != nullptr ? fn(admin, hash, hashSize, flags, previous) : nullptr;
}

LONG CWinModule_wintrust::WinVerifyTrust(HWND window, GUID* action, WINTRUST_DATA* data)
{
    const auto fn = Resolve(winVerifyTrust_, "WinVerifyTrust");
    return fn != nullptr ? fn(window, action, data) : LastErrorHResult();
}

CRYPT_PROVIDER_DATA* CWinModule_wintrust::WTHelperProvDataFromStateData(HANDLE state)
{
    const auto fn = Resolve(provDataFromStateData_, "WTHelperProvDataFromStateData");
    return fn != nullptr ? fn(state) : nullptr;
}

CRYPT_PROVIDER_SGNR* CWinModule_wintrust::WTHelperGetProvSignerFromChain(CRYPT_PROVIDER_DATA* data, DWORD signer,
                                                                         BOOL counterSigner,
                                                                         DWORD counterSignerIndex)
{
    const auto fn = Resolve(getProvSignerFromChain_, "WTHelperGetProvSignerFromChain");
    return fn != nullptr ? fn(data, signer, counterSigner, counterSignerIndex) : nullptr;
}

CRYPT_PROVIDER_CERT* CWinModule_wintrust::WTHelperGetProvCertFromChain(CRYPT_PROVIDER_SGNR* signer, DWORD cert)
{
    const auto fn = Resolve(getProvCertFromChain_, "WTHelperGetProvCertFromChain");
    return fn != nullptr ? fn(signer, cert) : nullptr;
}

} // namespace WinMod
