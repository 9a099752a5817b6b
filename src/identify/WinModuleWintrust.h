#pragma once
#include "identify/WinModule.h"

#include <wincrypt.h>
#include <wintrust.h>
#include <mscat.h>

namespace WinMod {

// wintrust.dll bound at run time: the module is not imported, so a system
// without it (or with a broken one) still loads ours. Each wrapper resolves
// its entry point on first use; an entry point that cannot be resolved makes
// the wrapper fail the way the entry point itself reports failure (FALSE,
// null, or the last-error HRESULT for WinVerifyTrust), without calling.
class CWinModule_wintrust : public CWinModule {
public:
    // S_OK when the module is held, else the last-error HRESULT of the load.
    HRESULT EnsureLoaded();
    // Forgets every resolved entry point, then frees the module.
    void Unload() override;

    BOOL CryptCATAdminAcquireContext(HCATADMIN* admin, const GUID* subsystem, DWORD flags);
    BOOL CryptCATAdminReleaseContext(HCATADMIN admin, DWORD flags);
    BOOL CryptCATAdminReleaseCatalogContext(HCATADMIN admin, HCATINFO catalog, DWORD flags);
    BOOL CryptCATCatalogInfoFromContext(HCATINFO catalog, CATALOG_INFO* info, DWORD flags);
    BOOL CryptCATAdminCalcHashFromFileHandle(HANDLE file, DWORD* hashSize, BYTE* hash, DWORD flags);
    HCATINFO CryptCATAdminEnumCatalogFromHash(HCATADMIN admin, BYTE* hash, DWORD hashSize, DWORD flags,
                                              HCATINFO* previous);
    LONG WinVerifyTrust(HWND window, GUID* action, WINTRUST_DATA* data);
    CRYPT_PROVIDER_DATA* WTHelperProvDataFromStateData(HANDLE state);
    CRYPT_PROVIDER_SGNR* WTHelperGetProvSignerFromChain(CRYPT_PROVIDER_DATA* data, DWORD signer, BOOL counterSigner,
                                                        DWORD counterSignerIndex);
    CRYPT_PROVIDER_CERT* WTHelperGetProvCertFromChain(CRYPT_PROVIDER_SGNR* signer, DWORD cert);

private:
    template <typename Fn>
    Fn Resolve(Fn& slot, const char* name);

    BOOL(WINAPI* acquireContext_)(HCATADMIN*, const GUID*, DWORD) = nullptr;
    BOOL(WINAPI* releaseContext_)(HCATADMIN, DWORD) = nullptr;
    BOOL(WINAPI* releaseCatalogContext_)(HCATADMIN, HCATINFO, DWORD) = nullptr;
    BOOL(WINAPI* catalogInfoFromContext_)(HCATINFO, CATALOG_INFO*, DWORD) = nullptr;
    BOOL(WINAPI* calcHashFromFileHandle_)(HANDLE, DWORD*, BYTE*, DWORD) = nullptr;
    HCATINFO(WINAPI* enumCatalogFromHash_)(HCATADMIN, BYTE*, DWORD, DWORD, HCATINFO*) = nullptr;
    LONG(WINAPI* winVerifyTrust_)(HWND, GUID*, LPVOID) = nullptr;
    CRYPT_PROVIDER_DATA*(WINAPI* provDataFromStateData_)(HANDLE) = nullptr;
    CRYPT_PROVIDER_SGNR*(WINAPI* getProvSignerFromChain_)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD) = nullptr;
    CRYPT_PROVIDER_CERT*(WINAPI* getProvCertFromChain_)(CRYPT_PROVIDER_SGNR*, DWORD) = nullptr;
};

} // namespace WinMod
