#pragma once
#include "identify/SignerNames.h"
#include "identify/WinModuleWintrust.h"

// Trust verification of an executable, embedded Authenticode signature first
// and the system's catalogs second. Each returns 0 when a signature verified
// as trusted (names then holds its certificates' names), else a failure
// HRESULT. Revocation is never checked.

// Opens path for reading and tries the embedded signature, when the image
// has a certificate entry, then the catalogs.
HRESULT VerifyFileSignature(const wchar_t* path, WinMod::CWinModule_wintrust& wintrust, SignerNames& names);

HRESULT VerifyEmbeddedSignature(const wchar_t* path, HANDLE file, WinMod::CWinModule_wintrust& wintrust,
                                SignerNames& names);

// Looks the file's hash up in the catalog database and verifies the catalogs
// that list it, at most six; a seventh is released unverified.
HRESULT VerifyCatalogSignature(const wchar_t* path, HANDLE file, WinMod::CWinModule_wintrust& wintrust,
                               SignerNames& names);
