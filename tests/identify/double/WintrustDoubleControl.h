#pragma once
// The control face of the test double of wintrust.dll: what a test scripts
// before a call, and the calls the double received. Shared by the double
// and the tests that drive it.
#include <windows.h>
#include <wincrypt.h>

enum DoubleFunction {
    kAcquireContext = 1,
    kReleaseContext,
    kReleaseCatalogContext,
    kCatalogInfoFromContext,
    kCalcHashFromFileHandle,
    kEnumCatalogFromHash,
    kWinVerifyTrust,
    kProvDataFromStateData,
    kGetProvSignerFromChain,
    kGetProvCertFromChain,
};

// One signer as the provider data reports it: csCertChain says ReportedCerts,
// while only the first CertCount certificates can be fetched. A null entry
// is a provider certificate without a certificate context.
struct DoubleSigner {
    DWORD ReportedCerts;
    int CertCount;
    PCCERT_CONTEXT Certs[3];
};

struct DoubleScript {
    LONG EmbeddedResult;      // WinVerifyTrust of an embedded signature
    int Catalogs;             // how many catalogs list every hash
    int TrustedCatalog;       // the catalog (1-based) that verifies; 0: none
    int CatalogWithoutInfo;   // the catalog whose CATALOG_INFO cannot be read
    BOOL AcquireFails;
    BOOL HashFails;
    BOOL NoProviderData;
    DWORD ReportedSigners;    // csSigners of the provider data
    int SignerCount;          // signers that can be fetched
    DoubleSigner Signers[2];
};

struct DoubleCallRecord {
    int Function;
    // WinVerifyTrust
    HWND Window;
    GUID Action;
    DWORD DataSize, UIChoice, RevocationChecks, UnionChoice, StateAction, ProvFlags, UIContext;
    BOOL OptionalPointersNull;  // policy data, SIP data, URL reference
    HANDLE StateData;           // as returned by VERIFY, as given to CLOSE
    DWORD InfoSize;             // file info, catalog member info or CATALOG_INFO
    DWORD CatalogVersion;
    BOOL KnownSubjectOrCatalogContext;
    wchar_t FilePath[MAX_PATH]; // file info path, or member file path
    wchar_t MemberTag[MAX_PATH];
    HANDLE File;
    DWORD HashSize;
    // Catalog administration
    GUID Subsystem;
    DWORD Flags;
    int Catalog;          // catalog handed out, released, read or verified
    int PreviousCatalog;  // the previous catalog given to the enumeration
};

typedef void(WINAPI* PFN_DOUBLE_SET_SCRIPT)(const DoubleScript* script);
typedef int(WINAPI* PFN_DOUBLE_CALL_COUNT)(void);
typedef BOOL(WINAPI* PFN_DOUBLE_GET_CALL)(int index, DoubleCallRecord* record);
// Verification states, catalogs and admin contexts handed out and not yet
// released.
typedef int(WINAPI* PFN_DOUBLE_OPEN_COUNT)(void);
