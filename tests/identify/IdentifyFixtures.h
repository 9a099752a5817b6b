#pragma once
#include "library/ProcessLibData.h"

#include <windows.h>
#include <wincrypt.h>

#include <memory>
#include <string>

// Fixture files made by the build, in the fixtures directory under the test's
// working directory: full paths, as the matcher needs them.
std::wstring FixturePath(const std::wstring& name);
// Copies a fixture to destination, creating the directories on the way.
void CopyFixture(const std::wstring& name, const std::wstring& destination);

// A certificate made by the build (DER), as a context for the wintrust double.
struct CertificateFree {
    void operator()(PCCERT_CONTEXT context) const { CertFreeCertificateContext(context); }
};
using Certificate = std::unique_ptr<const CERT_CONTEXT, CertificateFree>;
Certificate LoadFixtureCertificate(const std::wstring& name);

// A store loaded from a library document; throws when it does not load.
std::unique_ptr<ProcessLibData> LoadStore(const std::string& document);
