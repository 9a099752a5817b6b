#include "Commands.h"
#include "Console.h"

#include <appatlas.h>

#include "environment/PathUtils.h"

#include <windows.h>

#include <vector>

namespace {

// appatlas.dll beside the tool, loaded as a host loads it, so that the OEM
// DLL and the fallback data directory are found where the module finds
// them.
class ProductModule {
public:
    explicit ProductModule(const std::wstring& path) : handle_(LoadLibraryW(path.c_str())) {}
    ~ProductModule()
    {
        if (handle_ != nullptr) FreeLibrary(handle_);
    }
    ProductModule(const ProductModule&) = delete;
    ProductModule& operator=(const ProductModule&) = delete;
    HMODULE Get() const { return handle_; }

private:
    HMODULE handle_;
};

bool Text(PFN_APPATLAS_DIAGNOSTIC_TEXT query, int item, std::wstring& text)
{
    unsigned int size = 0;
    if (query(item, nullptr, &size) != 0) return false;
    std::vector<wchar_t> buffer(size);
    if (query(item, buffer.data(), &size) != 1) return false;
    text.assign(buffer.data());
    return true;
}

} // namespace

int RunWhere(const Arguments& args)
{
    if (!args.empty()) return UsageError(L"where takes no arguments");
    const std::wstring path = GetHostExeDirectory() + L"\\appatlas.dll";
    ProductModule module(path);
    PFN_APPATLAS_DIAGNOSTIC_TEXT query =
        module.Get() == nullptr ? nullptr
                                : reinterpret_cast<PFN_APPATLAS_DIAGNOSTIC_TEXT>(reinterpret_cast<void*>(
                                      GetProcAddress(module.Get(), "AppAtlasDiagnosticText")));
    if (query == nullptr) {
        Err(L"appatlas-cli: cannot load " + path + L" with its diagnostic export\n");
        return kExitFailure;
    }

    const struct {
        int item;
        const wchar_t* name;
        const wchar_t* prefix;
    } lines[] = {
        {APPATLAS_DIAG_REGISTRY_KEY, L"RegistryKey", L"HKEY_LOCAL_MACHINE\\"},
        {APPATLAS_DIAG_PRODUCT_NAME, L"ProductName", L""},
        {APPATLAS_DIAG_THIRD_NAME, L"ThirdBrandingName", L""},
        {APPATLAS_DIAG_DATA_FILE_PATH, L"DataFile", L""},
    };
    for (const auto& line : lines) {
        std::wstring text;
        if (!Text(query, line.item, text)) {
            Err(std::wstring(L"appatlas-cli: the module gave no ") + line.name + L"\n");
            return kExitFailure;
        }
        Out(std::wstring(line.name) + L": " + line.prefix + text + L"\n");
    }
    return kExitOk;
}
