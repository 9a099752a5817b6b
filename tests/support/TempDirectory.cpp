#include "TempDirectory.h"

#include <windows.h>

#include <stdexcept>

TempDirectory::TempDirectory()
{
    wchar_t base[MAX_PATH];
    if (GetTempPathW(MAX_PATH, base) == 0) throw std::runtime_error("GetTempPathW failed");
    static LONG counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring candidate = std::wstring(base) + L"aat-" + std::to_wstring(GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(InterlockedIncrement(&counter));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDirectory::~TempDirectory()
{
    RemoveTree(path_);
}

std::wstring TempDirectory::File(const std::wstring& name) const
{
    return path_ + L"\\" + name;
}

void RemoveTree(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}
