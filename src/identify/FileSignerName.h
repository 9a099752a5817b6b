#pragma once
#include <string>

// The display name of the trusted signer of the file at path: the embedded
// signature's, or that of a system catalog listing the file's hash. Empty
// when nothing verifies. Answers, empty ones included, are kept per path text
// for the life of the module and never refreshed.
std::wstring GetFileSignerName(const wchar_t* path);
