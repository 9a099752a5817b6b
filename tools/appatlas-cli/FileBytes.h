#pragma once
#include <string>

// Whole-file reads and writes for the tool; false with a system error text
// in error when the file cannot be read or written.
bool ReadFileBytes(const std::wstring& path, std::string& bytes, std::wstring& error);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes, std::wstring& error);
std::wstring SystemErrorText(unsigned long code);
