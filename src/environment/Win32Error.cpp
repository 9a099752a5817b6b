#include "environment/Win32Error.h"

HRESULT HresultFromWin32Error(DWORD error)
{
    if (error == 0) return E_FAIL;
    return HRESULT(0x80070000UL | (error & 0xFFFFUL));
}

HRESULT HresultFromLastError()
{
    return HresultFromWin32Error(GetLastError());
}
