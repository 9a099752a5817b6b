#pragma once
#include <windows.h>

#include <string>
#include <vector>

// On systems before major version 6, replaces the access list of a newly
// created data directory so that every local user may work in it: denied
// Everyone with an empty mask, then allowed BUILTIN\Users full file access,
// both inherited by files and subdirectories, the list's revision kept and
// not protected, so the parent's inheritable entries still follow.
// 0 on success or when there is nothing to do; the failure code when the
// list cannot be read or written (the directory keeps its list); 1 when the
// list could not be built (out of memory, invalid SID).
HRESULT ApplyDataDirectoryAcl(const std::wstring& directory);

// The list ApplyDataDirectoryAcl writes, with the given revision, in
// storage. 0, the failure code the system gave for a refused entry, or 1
// when the list could not be built.
HRESULT BuildDataDirectoryAcl(BYTE revision, std::vector<DWORD>& storage);
