#include "identify/FileCompanyName.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Whether [value, value + bytes) lies inside the resource buffer.
bool InsideBuffer(const std::vector<BYTE>& buffer, const void* value, size_t bytes)
{
    const BYTE* begin = buffer.data();
    const BYTE* end = begin + buffer.size();
    const BYTE* at = static_cast<const BYTE*>(value);
    return at >= begin && at <= end && bytes <= size_t(end - at);
}

} // namespace

std::wstring GetFileCompanyName(const wchar_t* path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return std::wstring();

    std::vector<BYTE> buffer(size, 0);
    if (!GetFileVersionInfoW(path, 0, size, buffer.data())) return std::wstring();

    void* translation = nullptr;
    UINT translationBytes = 0;
    if (!VerQueryValueW(buffer.data(), L"\\VarFileInfo\\Translation", &translation, &translationBytes) ||
        translation == nullptr)
        return std::wstring();
    // A Translation value too short for one pair names no string table.
    if (translationBytes < 2 * sizeof(WORD) || !InsideBuffer(buffer, translation, 2 * sizeof(WORD)))
        return std::wstring();
    WORD pair[2];
    memcpy(pair, translation, sizeof pair);

    wchar_t table[16];
    swprintf(table, 16, L"%04x%04x", pair[0], pair[1]);
    const std::wstring key = std::wstring(L"\\StringFileInfo\\") + table + L"\\CompanyName";

    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer.data(), key.c_str(), &value, &length) || value == nullptr) return std::wstring();

    // The value ends at its first NUL, but never beyond its stated length or
    // the buffer: a value without a NUL must not be read past.
    if (!InsideBuffer(buffer, value, 0)) return std::wstring();
    const wchar_t* text = static_cast<const wchar_t*>(value);
    const size_t inBuffer = size_t(buffer.data() + buffer.size() - static_cast<const BYTE*>(value)) / sizeof(wchar_t);
    const size_t available = length < inBuffer ? length : inBuffer;
    size_t end = 0;
    while (end < available && text[end] != L'\0') ++end;
    return std::wstring(text, end);
}
