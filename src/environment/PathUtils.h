#pragma once
#include <string>

// Path helpers over the shell's path functions, each working in a buffer of
// MAX_PATH (260) characters. Relative paths are resolved against the
// directory of the host process's executable, not this module's. None of
// them reports errors: failure gives an empty string or false.

std::wstring GetHostExePath();
std::wstring GetParentDirectory(const std::wstring& path);
std::wstring GetHostExeDirectory();
std::wstring CombinePath(const std::wstring& directory, const std::wstring& relative);
std::wstring ResolvePath(const std::wstring& path);
bool PathExists(const std::wstring& path);

// Base name and extension of a path, split with the C runtime's bounded
// rules: a directory part of 256 characters or more, or a base name or
// extension that long, gives an empty result, and so does an empty base name.
std::wstring GetFileNameOfPath(const std::wstring& path);
