#pragma once
#include "environment/BrandingInfo.h"

#include <windows.h>

#include <string>

// The data directory: the value DataPath under HKEY_LOCAL_MACHINE and the
// branding's registry key when it is a REG_SZ or REG_EXPAND_SZ (taken
// literally) of at most 259 characters, NUL-terminated or empty; otherwise
// "Data" beside the file of module. S_OK with directory set, or the
// HRESULT form of the error that kept the module's file name from being
// read (directory untouched).
HRESULT LocateDataDirectory(const BrandingInfo& branding, HMODULE module, std::wstring& directory);
