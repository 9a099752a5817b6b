#include "TestRegistryKey.h"

#include <stdexcept>

TestRegistryKey::TestRegistryKey()
{
    static LONG counter = 0;
    path_ = L"SOFTWARE\\AppAtlasTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(InterlockedIncrement(&counter));
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a test registry key");
}

TestRegistryKey::~TestRegistryKey()
{
    RegDeleteValueW(key_, L"DataPath");
    RegCloseKey(key_);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, path_.c_str());
}

namespace {

struct CountedName {
    USHORT Length;
    USHORT MaximumLength;
    const wchar_t* Buffer;
};
typedef LONG(WINAPI* NtSetValueKeyFn)(HANDLE, CountedName*, ULONG, ULONG, const void*, ULONG);

} // namespace

void TestRegistryKey::SetRaw(DWORD type, const void* data, DWORD bytes, const wchar_t* value)
{
    // Below RegSetValueExW, which on Wine adds a terminator to strings that
    // lack one: the value must hold exactly these bytes.
    static const NtSetValueKeyFn setValue = reinterpret_cast<NtSetValueKeyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
    const std::wstring name = value;
    CountedName counted = {USHORT(name.size() * sizeof(wchar_t)), USHORT(name.size() * sizeof(wchar_t)),
                           name.c_str()};
    if (setValue == nullptr || setValue(key_, &counted, 0, type, data, bytes) != 0)
        throw std::runtime_error("cannot write a test registry value");
}

void TestRegistryKey::SetString(const std::wstring& text, DWORD type)
{
    SetRaw(type, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}
