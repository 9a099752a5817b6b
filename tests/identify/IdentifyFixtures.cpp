#include "IdentifyFixtures.h"

#include "FileFixtures.h"

#include <stdexcept>

std::wstring FixturePath(const std::wstring& name)
{
    wchar_t full[MAX_PATH] = {};
    const std::wstring relative = L"fixtures\\" + name;
    if (GetFullPathNameW(relative.c_str(), MAX_PATH, full, nullptr) == 0)
        throw std::runtime_error("cannot resolve a fixture path");
    return full;
}

void CopyFixture(const std::wstring& name, const std::wstring& destination)
{
    for (size_t slash = destination.find(L'\\', 3); slash != std::wstring::npos;
         slash = destination.find(L'\\', slash + 1))
        CreateDirectoryW(destination.substr(0, slash).c_str(), nullptr);
    if (!CopyFileW(FixturePath(name).c_str(), destination.c_str(), FALSE))
        throw std::runtime_error("cannot copy a fixture");
}

Certificate LoadFixtureCertificate(const std::wstring& name)
{
    const std::string der = ReadBytes(FixturePath(name));
    Certificate certificate(CertCreateCertificateContext(
        X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()), DWORD(der.size())));
    if (!certificate) throw std::runtime_error("cannot read a fixture certificate");
    return certificate;
}

std::unique_ptr<ProcessLibData> LoadStore(const std::string& document)
{
    std::unique_ptr<ProcessLibData> store(new ProcessLibData());
    if (!store->LoadFromText(document.c_str(), document.size()))
        throw std::runtime_error("library document does not load");
    return store;
}
