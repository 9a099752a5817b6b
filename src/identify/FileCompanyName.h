#pragma once
#include <string>

// The CompanyName of the file's version resource, as the resource stores it
// (spaces and case kept, cut at a NUL), looked up in the string table of the
// first translation only. Empty when the file, the resource, the translation
// or the value is missing.
std::wstring GetFileCompanyName(const wchar_t* path);
