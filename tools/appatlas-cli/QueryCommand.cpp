#include "Commands.h"
#include "Console.h"

#include <appatlas.h>

#include <windows.h>

#include <cstdio>

namespace {

// appatlas.dll beside this tool, loaded as any host loads it.
class ModuleBinding {
public:
    ModuleBinding()
    {
        wchar_t self[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring path(self, length);
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"appatlas.dll";
        module_ = LoadLibraryW(path.c_str());
        if (module_ == nullptr) {
            error_ = L"cannot load " + path;
            return;
        }
        create = reinterpret_cast<PFN_APPATLAS_CREATE_QUERY>(reinterpret_cast<void*>(GetProcAddress(module_, "a")));
        destroy = reinterpret_cast<PFN_APPATLAS_DESTROY_QUERY>(reinterpret_cast<void*>(GetProcAddress(module_, "b")));
        if (create == nullptr || destroy == nullptr) error_ = path + L" does not export a and b";
    }
    ~ModuleBinding()
    {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    ModuleBinding(const ModuleBinding&) = delete;
    ModuleBinding& operator=(const ModuleBinding&) = delete;

    const std::wstring& Error() const { return error_; }
    PFN_APPATLAS_CREATE_QUERY create = nullptr;
    PFN_APPATLAS_DESTROY_QUERY destroy = nullptr;

private:
    HMODULE module_ = nullptr;
    std::wstring error_;
};

// A query object, destroyed through the module's own export.
class QueryObject {
public:
    explicit QueryObject(const ModuleBinding& module)
        : destroy_(module.destroy), query_(module.create(APPATLAS_QUERY_VERSION))
    {
    }
    ~QueryObject()
    {
        if (query_ != nullptr) destroy_(query_);
    }
    QueryObject(const QueryObject&) = delete;
    QueryObject& operator=(const QueryObject&) = delete;

    IProcessLibQuery* operator->() const { return query_; }
    explicit operator bool() const { return query_ != nullptr; }

private:
    PFN_APPATLAS_DESTROY_QUERY destroy_;
    IProcessLibQuery* query_;
};

std::wstring JsonString(const std::wstring& text)
{
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += L'\\';
            out += c;
        } else if (c < 0x20) {
            wchar_t escape[8];
            swprintf(escape, 8, L"\\u%04x", unsigned(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + L"\"";
}

void PrintText(const std::wstring& path, const ProcessLibInfo* info)
{
    Out(path + L"\n");
    if (info == nullptr) {
        Out(L"  not in library\n");
        return;
    }
    const auto line = [](const wchar_t* name, const std::wstring& value) {
        Out(std::wstring(L"  ") + name + L": " + value + L"\n");
    };
    line(L"Id", std::to_wstring(info->Id));
    line(L"Name", info->Name);
    line(L"DisplayName", info->DisplayName);
    line(L"Description", info->Description);
    line(L"Path", info->Path);
    line(L"CompanyName", info->CompanyName);
    line(L"SignName", info->SignName);
    line(L"SoftId", info->SoftId);
    line(L"ProcessType", std::to_wstring(info->ProcessType));
    line(L"CanClose", std::to_wstring(info->CanClose));
}

void PrintJson(const std::wstring& path, const ProcessLibInfo* info)
{
    std::wstring out = L"{\"path\":" + JsonString(path);
    if (info == nullptr) {
        Out(out + L",\"found\":false}\n");
        return;
    }
    out += L",\"found\":true,\"Id\":" + std::to_wstring(info->Id);
    out += L",\"Name\":" + JsonString(info->Name);
    out += L",\"DisplayName\":" + JsonString(info->DisplayName);
    out += L",\"Description\":" + JsonString(info->Description);
    out += L",\"Path\":" + JsonString(info->Path);
    out += L",\"CompanyName\":" + JsonString(info->CompanyName);
    out += L",\"SignName\":" + JsonString(info->SignName);
    out += L",\"SoftId\":" + JsonString(info->SoftId);
    out += L",\"ProcessType\":" + std::to_wstring(info->ProcessType);
    out += L",\"CanClose\":" + std::to_wstring(info->CanClose) + L"}\n";
    Out(out);
}

} // namespace

int RunQuery(const Arguments& args)
{
    std::wstring library;
    bool haveLibrary = false;
    bool json = false;
    Arguments paths;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--library") {
            if (i + 1 == args.size()) return UsageError(L"--library needs FILE.dat");
            library = args[++i];
            haveLibrary = true;
        } else if (args[i] == L"--json") {
            json = true;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.empty()) return UsageError(L"query needs at least one PATH");

    const ModuleBinding module;
    if (!module.Error().empty()) {
        Err(L"appatlas-cli: " + module.Error() + L"\n");
        return kExitFailure;
    }
    const QueryObject query(module);
    if (!query) {
        Err(L"appatlas-cli: appatlas.dll gave no query object\n");
        return kExitFailure;
    }
    if (query->Init(haveLibrary ? library.c_str() : nullptr) == 0) {
        Err(L"appatlas-cli: " + (haveLibrary ? library : std::wstring(L"the installed library")) +
            L": library does not load\n");
        return kExitFailure;
    }

    int exitCode = kExitOk;
    for (const std::wstring& path : paths) {
        ProcessLibInfo* info = nullptr;
        if (query->QueryProcessInfo(path.c_str(), &info) != 1) {
            info = nullptr;
            exitCode = kExitFailure;
        }
        if (json)
            PrintJson(path, info);
        else
            PrintText(path, info);
        if (info != nullptr) query->FreeProcessInfo(info);
    }
    return exitCode;
}
