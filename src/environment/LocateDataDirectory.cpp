#include "environment/LocateDataDirectory.h"

#include "environment/UniqueRegKey.h"
#include "environment/Win32Error.h"

#include <shlwapi.h>

namespace {

const REGSAM kReadAccess = 0x20019;  // KEY_READ, no registry-view flag
const DWORD kValueChars = MAX_PATH;  // terminator included

bool ReadDataPathValue(const BrandingInfo& branding, std::wstring& directory)
{
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, branding.RegistryKey.c_str(), 0, kReadAccess, key.Receive()) !=
        ERROR_SUCCESS)
        return false;

    // One spare character, so the text is terminated whatever the value
    // holds.
    wchar_t buffer[kValueChars + 1] = {};
    DWORD type = 0;
    DWORD bytes = kValueChars * sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), L"DataPath", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
        ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    if (bytes % sizeof(wchar_t) != 0) return false;
    if (bytes != 0 && buffer[bytes / sizeof(wchar_t) - 1] != L'\0') return false;

    buffer[kValueChars] = L'\0';
    directory = buffer;
    return true;
}

} // namespace

HRESULT LocateDataDirectory(const BrandingInfo& branding, HMODULE module, std::wstring& directory)
{
    if (ReadDataPathValue(branding, directory)) return S_OK;

    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0) {
        const DWORD error = GetLastError();
        if (error == 0) {
            directory.clear();
            return S_OK;
        }
        return HresultFromWin32Error(error);
    }
    // Windows XP does not terminate a name it had to truncate.
    path[MAX_PATH - 1] = L'\0';
    PathRemoveFileSpecW(path);
    PathAppendW(path, L"Data");
    directory = path;
    return S_OK;
}
