#pragma once
#include <windows.h>

// HRESULT form of a Win32 error code: 0x80070000 with the code's low 16
// bits. A code of 0 (the system reported no reason) gives E_FAIL, so a
// failure is never mistaken for success.
HRESULT HresultFromWin32Error(DWORD error);

// The same for the calling thread's last error.
HRESULT HresultFromLastError();
