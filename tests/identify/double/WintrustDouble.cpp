// A stand-in for wintrust.dll that the tests can steer where the real one
// cannot be: untrusted signatures, many catalogs, failing steps. It hands out
// fake handles, records every call it receives and counts what is still
// open. Exported by plain names through a module definition file.
#include "WintrustDoubleControl.h"

#include <wintrust.h>
#include <mscat.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const DoubleScript kDefaultScript = {static_cast<LONG>(TRUST_E_NOSIGNATURE), 0, 0, 0, FALSE, FALSE, FALSE,
                                     0, 0, {}};
const HCATADMIN kAdmin = reinterpret_cast<HCATADMIN>(0xAD00);
const UINT_PTR kCatalogBase = 0xCA00;
const UINT_PTR kStateBase = 0x5700;

DoubleScript g_script = kDefaultScript;
std::vector<DoubleCallRecord> g_calls;
int g_openAdmins = 0;
int g_openCatalogs = 0;
int g_openStates = 0;
int g_nextState = 1;

CRYPT_PROVIDER_DATA g_provider;
CRYPT_PROVIDER_SGNR g_signers[2];
CRYPT_PROVIDER_CERT g_certs[2][3];

DoubleCallRecord& Record(int function)
{
    DoubleCallRecord record = {};
    record.Function = function;
    g_calls.push_back(record);
    return g_calls.back();
}

void CopyText(wchar_t* to, const wchar_t* from)
{
    if (from == nullptr) return;
    wcsncpy(to, from, MAX_PATH - 1);
}

int CatalogNumber(HCATINFO catalog)
{
    return catalog == nullptr ? 0 : int(reinterpret_cast<UINT_PTR>(catalog) - kCatalogBase);
}

HCATINFO CatalogHandle(int number)
{
    return reinterpret_cast<HCATINFO>(kCatalogBase + UINT_PTR(number));
}

// The catalog a member verification names, from the path CATALOG_INFO gave.
int CatalogOfPath(const wchar_t* path)
{
    int number = 0;
    if (path != nullptr) swscanf(path, L"C:\\catalogs\\double%d.cat", &number);
    return number;
}

void BuildProviderData()
{
    memset(&g_provider, 0, sizeof g_provider);
    g_provider.cbStruct = sizeof g_provider;
    g_provider.csSigners = g_script.ReportedSigners;
    g_provider.pasSigners = g_signers;
    for (int s = 0; s < 2; ++s) {
        memset(&g_signers[s], 0, sizeof g_signers[s]);
        g_signers[s].cbStruct = sizeof g_signers[s];
        g_signers[s].csCertChain = g_script.Signers[s].ReportedCerts;
        g_signers[s].pasCertChain = g_certs[s];
        for (int c = 0; c < 3; ++c) {
            memset(&g_certs[s][c], 0, sizeof g_certs[s][c]);
            g_certs[s][c].cbStruct = sizeof g_certs[s][c];
            g_certs[s][c].pCert = g_script.Signers[s].Certs[c];
        }
    }
}

} // namespace

extern "C" {

void WINAPI DoubleSetScript(const DoubleScript* script)
{
    g_script = script != nullptr ? *script : kDefaultScript;
    g_calls.clear();
    BuildProviderData();
}

int WINAPI DoubleCallCount(void)
{
    return int(g_calls.size());
}

BOOL WINAPI DoubleGetCall(int index, DoubleCallRecord* record)
{
    if (index < 0 || size_t(index) >= g_calls.size() || record == nullptr) return FALSE;
    *record = g_calls[size_t(index)];
    return TRUE;
}

int WINAPI DoubleOpenStates(void) { return g_openStates; }
int WINAPI DoubleOpenCatalogs(void) { return g_openCatalogs; }
int WINAPI DoubleOpenAdmins(void) { return g_openAdmins; }

BOOL WINAPI CryptCATAdminAcquireContext(HCATADMIN* admin, const GUID* subsystem, DWORD flags)
{
    DoubleCallRecord& record = Record(kAcquireContext);
    if (subsystem != nullptr) record.Subsystem = *subsystem;
    record.Flags = flags;
    if (g_script.AcquireFails) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *admin = kAdmin;
    ++g_openAdmins;
    return TRUE;
}

BOOL WINAPI CryptCATAdminReleaseContext(HCATADMIN admin, DWORD flags)
{
    Record(kReleaseContext).Flags = flags;
    if (admin != kAdmin) return FALSE;
    --g_openAdmins;
    return TRUE;
}

BOOL WINAPI CryptCATAdminReleaseCatalogContext(HCATADMIN, HCATINFO catalog, DWORD flags)
{
    DoubleCallRecord& record = Record(kReleaseCatalogContext);
    record.Catalog = CatalogNumber(catalog);
    record.Flags = flags;
    --g_openCatalogs;
    return TRUE;
}

BOOL WINAPI CryptCATCatalogInfoFromContext(HCATINFO catalog, CATALOG_INFO* info, DWORD flags)
{
    DoubleCallRecord& record = Record(kCatalogInfoFromContext);
    record.Catalog = CatalogNumber(catalog);
    record.InfoSize = info->cbStruct;
    record.Flags = flags;
    if (record.Catalog == g_script.CatalogWithoutInfo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    swprintf(info->wszCatalogFile, MAX_PATH, L"C:\\catalogs\\double%d.cat", record.Catalog);
    return TRUE;
}

BOOL WINAPI CryptCATAdminCalcHashFromFileHandle(HANDLE file, DWORD* hashSize, BYTE* hash, DWORD flags)
{
    DoubleCallRecord& record = Record(kCalcHashFromFileHandle);
    record.File = file;
    record.HashSize = *hashSize;
    record.Flags = flags;
    if (g_script.HashFails) {
        SetLastError(ERROR_READ_FAULT);
        return FALSE;
    }
    memset(hash, 0x5A, 20);
    *hashSize = 20;
    return TRUE;
}

HCATINFO WINAPI CryptCATAdminEnumCatalogFromHash(HCATADMIN, BYTE*, DWORD hashSize, DWORD flags,
                                                 HCATINFO* previous)
{
    DoubleCallRecord& record = Record(kEnumCatalogFromHash);
    record.HashSize = hashSize;
    record.Flags = flags;
    int next = 1;
    if (previous != nullptr && *previous != nullptr) {
        // Moving on releases the previous catalog, as the real one does.
        record.PreviousCatalog = CatalogNumber(*previous);
        next = record.PreviousCatalog + 1;
        --g_openCatalogs;
    }
    if (next > g_script.Catalogs) {
        SetLastError(ERROR_NOT_FOUND);
        return nullptr;
    }
    record.Catalog = next;
    ++g_openCatalogs;
    return CatalogHandle(next);
}

LONG WINAPI WinVerifyTrust(HWND window, GUID* action, LPVOID rawData)
{
    WINTRUST_DATA* data = static_cast<WINTRUST_DATA*>(rawData);
    DoubleCallRecord& record = Record(kWinVerifyTrust);
    record.Window = window;
    record.Action = *action;
    record.DataSize = data->cbStruct;
    record.UIChoice = data->dwUIChoice;
    record.RevocationChecks = data->fdwRevocationChecks;
    record.UnionChoice = data->dwUnionChoice;
    record.StateAction = data->dwStateAction;
    record.ProvFlags = data->dwProvFlags;
    record.UIContext = data->dwUIContext;
    record.OptionalPointersNull =
        data->pPolicyCallbackData == nullptr && data->pSIPClientData == nullptr && data->pwszURLReference == nullptr;

    LONG result = static_cast<LONG>(TRUST_E_NOSIGNATURE);
    if (data->dwUnionChoice == WTD_CHOICE_FILE) {
        const WINTRUST_FILE_INFO* info = data->pFile;
        record.InfoSize = info->cbStruct;
        CopyText(record.FilePath, info->pcwszFilePath);
        record.File = info->hFile;
        record.KnownSubjectOrCatalogContext = info->pgKnownSubject != nullptr;
        result = g_script.EmbeddedResult;
    } else if (data->dwUnionChoice == WTD_CHOICE_CATALOG) {
        const WINTRUST_CATALOG_INFO* info = data->pCatalog;
        record.InfoSize = info->cbStruct;
        record.CatalogVersion = info->dwCatalogVersion;
        record.Catalog = CatalogOfPath(info->pcwszCatalogFilePath);
        CopyText(record.MemberTag, info->pcwszMemberTag);
        CopyText(record.FilePath, info->pcwszMemberFilePath);
        record.File = info->hMemberFile;
        record.HashSize = info->cbCalculatedFileHash;
        record.KnownSubjectOrCatalogContext = info->pcCatalogContext != nullptr;
        result = record.Catalog == g_script.TrustedCatalog ? 0 : static_cast<LONG>(TRUST_E_NOSIGNATURE);
    }

    if (data->dwStateAction == WTD_STATEACTION_VERIFY) {
        // Like the real one, a state exists after every verification,
        // whatever its result, until it is closed.
        data->hWVTStateData = reinterpret_cast<HANDLE>(kStateBase + UINT_PTR(g_nextState++));
        record.StateData = data->hWVTStateData;
        ++g_openStates;
        return result;
    }
    if (data->dwStateAction == WTD_STATEACTION_CLOSE) {
        record.StateData = data->hWVTStateData;
        if (data->hWVTStateData != nullptr) --g_openStates;
        data->hWVTStateData = nullptr;
        return 0;
    }
    return static_cast<LONG>(TRUST_E_FAIL);
}

CRYPT_PROVIDER_DATA* WINAPI WTHelperProvDataFromStateData(HANDLE state)
{
    Record(kProvDataFromStateData).StateData = state;
    if (g_script.NoProviderData || state == nullptr) return nullptr;
    return &g_provider;
}

CRYPT_PROVIDER_SGNR* WINAPI WTHelperGetProvSignerFromChain(CRYPT_PROVIDER_DATA*, DWORD signer, BOOL, DWORD)
{
    Record(kGetProvSignerFromChain).Catalog = int(signer);
    if (int(signer) >= g_script.SignerCount || signer >= 2) return nullptr;
    return &g_signers[signer];
}

CRYPT_PROVIDER_CERT* WINAPI WTHelperGetProvCertFromChain(CRYPT_PROVIDER_SGNR* signer, DWORD cert)
{
    Record(kGetProvCertFromChain).Catalog = int(cert);
    const int s = int(signer - g_signers);
    if (s < 0 || s >= 2 || int(cert) >= g_script.Signers[s].CertCount || cert >= 3) return nullptr;
    return &g_certs[s][cert];
}

} // extern "C"
