#pragma once
#include <windows.h>

#include <string>

// Creates every missing directory of path, outermost first; only the
// backslash separates components, and anything that has attributes (a file
// too) counts as existing. 0 when at least one directory was created, 1
// when none had to be (or path is empty), or the failure code of the first
// creation that failed; directories created before it stay.
HRESULT CreateDirectoryChain(const std::wstring& path);
