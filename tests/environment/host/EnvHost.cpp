// A host program for tests that need a process of their own: the branding
// record is built once per process, the OEM DLL is looked for beside the
// executable, and the system version is set per executable name.
//
//   envhost branding      the record, twice, with a marker in brandhub.log
//                         between the two calls
//   envhost compose       ComposeDataFilePath and the system's major version
//   envhost acl DIR       ApplyDataDirectoryAcl on DIR
//   envhost oem-int       LoadOemModule, then QueryOemInt
//   envhost query DLL EXE [DAT]
//                         the appatlas.dll at DLL, queried for EXE with no
//                         Init call, or after Init with DAT
// Results go to stdout as "name=value" lines.

#include <appatlas.h>

#include "environment/BrandingInfo.h"
#include "environment/DataDirectoryAcl.h"
#include "environment/DataFilePath.h"
#include "environment/OemModule.h"
#include "environment/PathUtils.h"
#include "environment/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace {

void Print(const std::wstring& name, const std::wstring& value)
{
    const std::wstring line = name + L"=" + value + L"\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0, nullptr, nullptr);
    std::string text(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), &text[0], bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), DWORD(text.size()), &written, nullptr);
}

void AppendToOemLog(const std::string& line)
{
    UniqueHandle log(CreateFileW((GetHostExeDirectory() + L"\\brandhub.log").c_str(), FILE_APPEND_DATA,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(log.Get(), text.data(), DWORD(text.size()), &written, nullptr);
}

int Branding()
{
    const BrandingInfo& first = GetBrandingInfo();
    Print(L"key", first.RegistryKey);
    Print(L"product", first.ProductName);
    Print(L"third", first.ThirdBrandingName);
    AppendToOemLog("host second call");
    const BrandingInfo& second = GetBrandingInfo();
    Print(L"same", &first == &second ? L"1" : L"0");
    return 0;
}

int Compose()
{
    Print(L"path", ComposeDataFilePath());
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    Print(L"major", std::to_wstring(version.dwMajorVersion));
    return 0;
}

int Acl(const wchar_t* directory)
{
    wchar_t code[16] = {};
    wsprintfW(code, L"%08lX", static_cast<unsigned long>(ApplyDataDirectoryAcl(directory)));
    Print(L"result", code);
    return 0;
}

int OemInt()
{
    Print(L"loaded", LoadOemModule() ? L"1" : L"0");
    int scratch = 0;
    Print(L"int", std::to_wstring(QueryOemInt(&scratch)));
    return 0;
}

int Query(const wchar_t* dll, const wchar_t* exe, const wchar_t* library)
{
    HMODULE module = LoadLibraryW(dll);
    if (module == nullptr) return 3;
    auto create = reinterpret_cast<PFN_APPATLAS_CREATE_QUERY>(reinterpret_cast<void*>(GetProcAddress(module, "a")));
    auto destroy = reinterpret_cast<PFN_APPATLAS_DESTROY_QUERY>(reinterpret_cast<void*>(GetProcAddress(module, "b")));
    if (create == nullptr || destroy == nullptr) return 3;
    IProcessLibQuery* query = create(APPATLAS_QUERY_VERSION);
    if (query == nullptr) return 3;

    if (library != nullptr) Print(L"init", std::to_wstring(query->Init(library)));
    ProcessLibInfo* info = nullptr;
    const int known = query->QueryProcessInfo(exe, &info);
    Print(L"known", std::to_wstring(known));
    if (info != nullptr) {
        Print(L"id", std::to_wstring(info->Id));
        Print(L"display", info->DisplayName);
        query->FreeProcessInfo(info);
    }
    destroy(query);
    FreeLibrary(module);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        const std::wstring command = argc > 1 ? argv[1] : L"";
        if (command == L"branding") return Branding();
        if (command == L"compose") return Compose();
        if (command == L"acl" && argc > 2) return Acl(argv[2]);
        if (command == L"oem-int") return OemInt();
        if (command == L"query" && argc > 3) return Query(argv[2], argv[3], argc > 4 ? argv[4] : nullptr);
        return 2;
    } catch (...) {
        return 4;
    }
}
