#include "FileBytes.h"

#include "environment/UniqueHandle.h"

#include <windows.h>

std::wstring SystemErrorText(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"error " + std::to_wstring(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    return message;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes, std::wstring& error)
{
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) {
        error = L"file too large";
        return false;
    }
    bytes.assign(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), &bytes[0], DWORD(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    return true;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes, std::wstring& error)
{
    UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
                           written != bytes.size())) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    return true;
}
