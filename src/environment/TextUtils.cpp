#include "environment/TextUtils.h"

#include <windows.h>

bool Utf8ToWide(const char* text, std::wstring& out)
{
    out.clear();
    if (text == nullptr || *text == '\0') return true;

    // Pure ASCII converts one to one; library texts mostly are, and this
    // spares two system calls per attribute when a large library loads.
    const char* end = text;
    while (*end > 0) ++end;
    if (*end == '\0') {
        out.assign(text, end);
        return true;
    }

    const int needed = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (needed <= 0) return false;

    std::wstring buffer(static_cast<size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(CP_UTF8, 0, text, -1, &buffer[0], needed);
    if (written != needed) return false;

    // The count includes the terminator; an embedded NUL cannot occur because
    // the conversion stops at the first one.
    buffer.resize(wcslen(buffer.c_str()));
    out.swap(buffer);
    return true;
}

bool Utf8ToWide(const std::string& text, std::wstring& out)
{
    return Utf8ToWide(text.c_str(), out);
}

std::wstring Utf8ToWideOrEmpty(const char* text)
{
    std::wstring out;
    if (text == nullptr || *text == '\0') return out;
    if (!Utf8ToWide(text, out)) out.clear();
    return out;
}

std::wstring Utf8ToWideOrEmpty(const std::string& text)
{
    return Utf8ToWideOrEmpty(text.c_str());
}

static wchar_t FoldAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

std::wstring ToLowerCopy(const std::wstring& text)
{
    std::wstring copy(text);
    for (wchar_t& c : copy) c = FoldAscii(c);
    return copy;
}

bool EqualsIgnoreAsciiCase(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        if (FoldAscii(*a) != FoldAscii(*b)) return false;
        if (*a == L'\0') return true;
    }
}

std::wstring TrimSpaces(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring> SplitAndTrim(const std::wstring& delimiter, const std::wstring& text)
{
    std::vector<std::wstring> tokens;
    if (text.empty() || delimiter.empty()) return tokens;

    size_t position = 0;
    while (position < text.size()) {
        const size_t found = text.find(delimiter, position);
        if (found == std::wstring::npos) break;
        std::wstring token = TrimSpaces(text.substr(position, found - position));
        if (!token.empty()) tokens.push_back(std::move(token));
        position = found + delimiter.size();
    }
    if (position < text.size()) {
        std::wstring token = TrimSpaces(text.substr(position));
        if (!token.empty()) tokens.push_back(std::move(token));
    }
    return tokens;
}
