#pragma once
#include <string>
#include <vector>

// Text helpers shared by every subsystem. None of them reports errors: a
// result that cannot be produced is an empty string (or false).

// UTF-8 text up to its first NUL byte to UTF-16. Empty input gives true and
// an empty output; a conversion the system refuses gives false and an empty
// output. Malformed sequences follow the system's replacement rules.
bool Utf8ToWide(const char* text, std::wstring& out);
bool Utf8ToWide(const std::string& text, std::wstring& out);
std::wstring Utf8ToWideOrEmpty(const char* text);
std::wstring Utf8ToWideOrEmpty(const std::string& text);

// Folds only the ASCII capitals A-Z; every other code unit stays as it is.
std::wstring ToLowerCopy(const std::wstring& text);
bool EqualsIgnoreAsciiCase(const wchar_t* a, const wchar_t* b);

// Drops leading and trailing U+0020 only (tabs and line breaks stay).
std::wstring TrimSpaces(const std::wstring& text);

// Splits at every occurrence of the whole delimiter; tokens are trimmed with
// TrimSpaces and empty ones dropped. The delimiter must not be empty.
std::vector<std::wstring> SplitAndTrim(const std::wstring& delimiter, const std::wstring& text);
