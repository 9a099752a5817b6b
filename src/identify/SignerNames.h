#pragma once
#include "identify/WinModuleWintrust.h"

#include <string>
#include <vector>

// Display names of the certificates of a verified signature: every signer's
// chain in order, so the first name is that of the certificate that signed.
using SignerNames = std::vector<std::wstring>;

// Fills names from the verification state of data, which must come from a
// verification that returned 0 and is not closed yet. Missing data or list:
// nothing happens.
void ReadSignerNames(WINTRUST_DATA* data, WinMod::CWinModule_wintrust& wintrust, SignerNames* names);

// The simple display name of a certificate; empty without a certificate or
// when the platform gives no name.
std::wstring CertificateDisplayName(PCCERT_CONTEXT certificate);
