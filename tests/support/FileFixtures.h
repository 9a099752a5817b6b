#pragma once
#include <string>

// Small file helpers for tests; they throw std::runtime_error on failure.
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// The directory of the running test executable.
std::wstring TestBinaryDirectory();
// Narrow text to wide, for messages and paths built from literals.
std::wstring Widen(const std::string& text);
