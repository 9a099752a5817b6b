#include "environment/OemModule.h"

#include "environment/LockerGuard.h"
#include "environment/PathUtils.h"
#include "environment/XLockerEvent.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>
#include <memory>
#include <new>

namespace {

typedef int(__stdcall* QueryOemIntFn)(int id, int* value);
typedef int(__stdcall* QueryOemStrFn)(int id, wchar_t* buffer, unsigned int* size);

const wchar_t kOemEventName[] = L"{2C7E5B90-D14A-4f3b-8A6C-0E9F13D27B58}oem";
const unsigned int kFirstBufferChars = MAX_PATH;

struct OemModule {
    HMODULE Module;
    ILockerMode* Lock;  // null when it could not be allocated
};

// Created when this module is loaded and never destroyed: other processes
// may share the event for as long as this one lives.
ILockerMode* CreateOemLock()
{
    return new (std::nothrow) XLockerEvent(kOemEventName);
}

OemModule g_oem = {nullptr, CreateOemLock()};

// The DLL's text up to its NUL, never past the buffer it was given, in case
// the DLL filled the buffer without terminating it.
std::wstring BoundedText(const wchar_t* buffer, size_t capacity)
{
    return std::wstring(buffer, wcsnlen(buffer, capacity));
}

} // namespace

bool LoadOemModule()
{
    if (g_oem.Module != nullptr) return true;

    std::wstring path = GetHostExePath();
    const size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) path.erase(slash + 1);
    path += L"brandhub.dll";

    if (!PathFileExistsW(path.c_str())) return false;
    g_oem.Module = LoadLibraryW(path.c_str());
    return g_oem.Module != nullptr;
}

int QueryOemInt(int* value)
{
    LockerGuard guard(g_oem.Lock);
    if (g_oem.Module == nullptr) return 0;
    QueryOemIntFn query =
        reinterpret_cast<QueryOemIntFn>(reinterpret_cast<void*>(GetProcAddress(g_oem.Module, "QueryOEMInt")));
    if (query == nullptr) return 0;
    return query(kOemBrandingOnId, value);
}

bool QueryOemString(int id, std::wstring& out)
{
    LockerGuard guard(g_oem.Lock);
    if (g_oem.Module == nullptr) return false;
    QueryOemStrFn query =
        reinterpret_cast<QueryOemStrFn>(reinterpret_cast<void*>(GetProcAddress(g_oem.Module, "QueryOEMStrW")));
    if (query == nullptr) return false;

    wchar_t first[kFirstBufferChars] = {};
    unsigned int size = kFirstBufferChars;
    if (query(id, first, &size) != 0) {
        out = BoundedText(first, kFirstBufferChars);
        return true;
    }

    // The DLL left the length it needs, terminator not counted. A length
    // whose terminator would wrap the counter, or beyond any sane string,
    // is a failed query rather than a buffer smaller than the size it is
    // told.
    if (size >= kMaxOemStringChars) return false;
    const unsigned int grown = size + 1;
    std::unique_ptr<wchar_t[]> second(new (std::nothrow) wchar_t[grown]());
    if (!second) return false;
    size = grown;
    if (query(id, second.get(), &size) == 0) return false;
    out = BoundedText(second.get(), grown);
    return true;
}
