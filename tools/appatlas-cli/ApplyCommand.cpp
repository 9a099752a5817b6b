#include "Commands.h"
#include "Console.h"
#include "FileBytes.h"

#include <appatlas.h>

#include <windows.h>

#include <cstdio>

namespace {

// appatlas.dll beside this tool, loaded as any updater loads it.
class UpdateModule {
public:
    UpdateModule()
    {
        wchar_t self[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        path_.assign(self, length);
        path_ = path_.substr(0, path_.find_last_of(L"\\/") + 1) + L"appatlas.dll";
        module_ = LoadLibraryW(path_.c_str());
        if (module_ != nullptr)
            create = reinterpret_cast<PFN_APPATLAS_CREATE_UPDATE_HELPER>(
                reinterpret_cast<void*>(GetProcAddress(module_, "CreateUpdateHelper")));
    }
    ~UpdateModule()
    {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    UpdateModule(const UpdateModule&) = delete;
    UpdateModule& operator=(const UpdateModule&) = delete;

    const std::wstring& Path() const { return path_; }
    PFN_APPATLAS_CREATE_UPDATE_HELPER create = nullptr;

private:
    std::wstring path_;
    HMODULE module_ = nullptr;
};

// Holds the one reference the factory hands out.
class HelperReference {
public:
    explicit HelperReference(IUpdateHelper* helper) : helper_(helper) {}
    ~HelperReference()
    {
        if (helper_ != nullptr) helper_->Release();
    }
    HelperReference(const HelperReference&) = delete;
    HelperReference& operator=(const HelperReference&) = delete;
    IUpdateHelper* operator->() const { return helper_; }

private:
    IUpdateHelper* helper_;
};

std::wstring Hex(HRESULT code)
{
    wchar_t text[16];
    swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(code));
    return text;
}

std::wstring Meaning(HRESULT code)
{
    switch (code) {
    case S_OK: return L"the data file now holds the updated library";
    case HRESULT_FROM_WIN32(ERROR_FILE_INVALID): return L"the update file's name does not begin with \"appatlas\"";
    case HRESULT_FROM_WIN32(ERROR_BAD_FORMAT):
        return L"the update file cannot be read, does not fit the current data file, or does not yield a data file";
    case E_OUTOFMEMORY: return L"the current data file is empty, or memory ran out";
    case E_INVALIDARG: return L"invalid argument";
    }
    if (HRESULT_FACILITY(code) == FACILITY_WIN32) return SystemErrorText(HRESULT_CODE(code));
    return L"failure";
}

}  // namespace

int RunApply(const Arguments& args)
{
    if (args.size() != 1) return UsageError(L"apply needs UPDATE.upd");
    UpdateModule module;
    if (module.create == nullptr) {
        Err(L"appatlas-cli: cannot load CreateUpdateHelper from " + module.Path() + L"\n");
        return kExitFailure;
    }
    IUpdateHelper* raw = nullptr;
    const HRESULT created = module.create(&IID_IUpdateHelper, reinterpret_cast<void**>(&raw));
    if (created != S_OK) {
        Err(L"appatlas-cli: CreateUpdateHelper: " + Hex(created) + L"\n");
        return kExitFailure;
    }
    HelperReference helper(raw);
    const HRESULT result = helper->ApplyUpdate(args[0].c_str());
    const std::wstring line = Hex(result) + L" " + Meaning(result) + L"\n";
    if (result != S_OK) {
        Err(L"appatlas-cli: " + args[0] + L": " + line);
        return kExitFailure;
    }
    Out(line);
    return kExitOk;
}
