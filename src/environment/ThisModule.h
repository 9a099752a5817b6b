#pragma once
#include <windows.h>

// The handle of the module this code is linked into: appatlas.dll in the
// product, not the host executable that loaded it.
HMODULE ThisModuleHandle();
