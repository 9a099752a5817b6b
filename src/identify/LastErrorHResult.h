#pragma once
#include <windows.h>

// A Win32 error code as an HRESULT (facility 0x8007, low 16 bits kept). A
// code that already is a failure HRESULT (as WinVerifyTrust leaves in the
// last error) is passed on as it is.
inline HRESULT HResultFromWin32Code(DWORD error)
{
    if (static_cast<LONG>(error) <= 0) return static_cast<HRESULT>(error);
    return static_cast<HRESULT>(0x80070000u | (error & 0xFFFFu));
}

// The calling thread's last error as an HRESULT; E_FAIL when the system left
// no reason, so a failure never reads as success.
inline HRESULT LastErrorHResult()
{
    const DWORD error = GetLastError();
    return error == 0 ? E_FAIL : HResultFromWin32Code(error);
}
