#pragma once
#include <windows.h>

#include <string>

// A key of its own below HKEY_LOCAL_MACHINE\SOFTWARE, named after this
// process and a counter so that tests running in parallel never share one.
// Created empty, deleted with its values on destruction.
class TestRegistryKey {
public:
    TestRegistryKey();
    ~TestRegistryKey();
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    // The path below HKEY_LOCAL_MACHINE, "SOFTWARE\..."; Name() without
    // the "SOFTWARE\" that the OEM DLL's id 12 leaves out.
    const std::wstring& Path() const { return path_; }
    std::wstring Name() const { return path_.substr(9); }

    // Writes DataPath (or another value) with exactly these bytes.
    void SetRaw(DWORD type, const void* data, DWORD bytes, const wchar_t* value = L"DataPath");
    // A string value including its terminator.
    void SetString(const std::wstring& text, DWORD type = REG_SZ);

private:
    std::wstring path_;
    HKEY key_ = nullptr;
};
