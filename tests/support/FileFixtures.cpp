#include "FileFixtures.h"

#include "environment/UniqueHandle.h"

#include <windows.h>

#include <stdexcept>

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.Valid()) throw std::runtime_error("cannot create a fixture file");
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
                           written != bytes.size()))
        throw std::runtime_error("cannot write a fixture file");
}

std::string ReadBytes(const std::wstring& path)
{
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw std::runtime_error("cannot open a file to read");
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), &bytes[0], DWORD(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        throw std::runtime_error("cannot read a file");
    return bytes;
}

std::wstring TestBinaryDirectory()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text = path;
    return text.substr(0, text.find_last_of(L'\\'));
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}
