#include "identify/TrustRecords.h"

WINTRUST_DATA MakeTrustData(DWORD unionChoice, void* info)
{
    WINTRUST_DATA data = {};
    data.cbStruct = kTrustDataSize;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = unionChoice;
    if (unionChoice == WTD_CHOICE_FILE)
        data.pFile = static_cast<WINTRUST_FILE_INFO*>(info);
    else
        data.pCatalog = static_cast<WINTRUST_CATALOG_INFO*>(info);
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE;
    data.dwUIContext = 0;
    return data;
}

WINTRUST_FILE_INFO MakeTrustFileInfo(const wchar_t* path, HANDLE file)
{
    WINTRUST_FILE_INFO info = {};
    info.cbStruct = kTrustFileInfoSize;
    info.pcwszFilePath = path;
    info.hFile = file;
    return info;
}
