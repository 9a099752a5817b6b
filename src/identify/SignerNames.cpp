#include "identify/SignerNames.h"

#include <vector>

namespace {

// Longer names are not believed: the length comes from the certificate.
const DWORD kMaxNameLength = 65535;

} // namespace

std::wstring CertificateDisplayName(PCCERT_CONTEXT certificate)
{
    if (certificate == nullptr) return std::wstring();
    const DWORD length = CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (length == 0 || length > kMaxNameLength) return std::wstring();

    std::vector<wchar_t> buffer(length, L'\0');
    if (CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, buffer.data(), length) == 0)
        return std::wstring();
    buffer[length - 1] = L'\0';
    return buffer.data();
}

void ReadSignerNames(WINTRUST_DATA* data, WinMod::CWinModule_wintrust& wintrust, SignerNames* names)
{
    if (data == nullptr || names == nullptr) return;
    names->clear();
    if (FAILED(wintrust.EnsureLoaded())) return;

    CRYPT_PROVIDER_DATA* provider = wintrust.WTHelperProvDataFromStateData(data->hWVTStateData);
    if (provider == nullptr) return;

    for (DWORD s = 0; s < provider->csSigners; ++s) {
        CRYPT_PROVIDER_SGNR* signer = wintrust.WTHelperGetProvSignerFromChain(provider, s, FALSE, 0);
        if (signer == nullptr) return;
        for (DWORD c = 0; c < signer->csCertChain; ++c) {
            CRYPT_PROVIDER_CERT* cert = wintrust.WTHelperGetProvCertFromChain(signer, c);
            if (cert == nullptr) break;
            names->push_back(CertificateDisplayName(cert->pCert));
        }
    }
}
