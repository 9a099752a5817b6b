#include "Console.h"

#include <windows.h>

#include <cstdio>

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

void Out(const std::wstring& text)
{
    const std::string bytes = ToUtf8(text);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void Err(const std::wstring& text)
{
    const std::string bytes = ToUtf8(text);
    fwrite(bytes.data(), 1, bytes.size(), stderr);
}
