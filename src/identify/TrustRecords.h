#pragma once
#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <mscat.h>

// The records handed to wintrust.dll, with the sizes it is told in cbStruct.
// The sizes are those of the 32-bit records the module was written against;
// newer platform headers grow some records, so they are fixed here.
const DWORD kTrustDataSize = 48;
const DWORD kTrustFileInfoSize = 16;
const DWORD kTrustCatalogInfoSize = 36;
const DWORD kCatalogInfoSize = 524;

static_assert(sizeof(WINTRUST_DATA) >= kTrustDataSize, "WINTRUST_DATA");
static_assert(sizeof(WINTRUST_FILE_INFO) >= kTrustFileInfoSize, "WINTRUST_FILE_INFO");
static_assert(sizeof(WINTRUST_CATALOG_INFO) >= kTrustCatalogInfoSize, "WINTRUST_CATALOG_INFO");
static_assert(sizeof(CATALOG_INFO) == kCatalogInfoSize, "CATALOG_INFO");

// WINTRUST_ACTION_GENERIC_VERIFY_V2: Authenticode policy for an image.
const GUID kGenericVerifyV2 = {0x00AAC56B, 0xCD44, 0x11D0, {0x8C, 0xC2, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};
// DRIVER_ACTION_VERIFY: the catalog subsystem and its policy.
const GUID kDriverActionVerify = {0xF750E6C3, 0x38EE, 0x11D1, {0x85, 0xE5, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};

// A verification request without user interface or revocation checks, for
// the subject in info (WTD_CHOICE_FILE or WTD_CHOICE_CATALOG).
WINTRUST_DATA MakeTrustData(DWORD unionChoice, void* info);
WINTRUST_FILE_INFO MakeTrustFileInfo(const wchar_t* path, HANDLE file);
