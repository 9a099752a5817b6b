#include "environment/ThisModule.h"

// The linker places this symbol at the load address of the image being
// linked, which is the module's handle.
extern "C" IMAGE_DOS_HEADER __ImageBase;

HMODULE ThisModuleHandle()
{
    return reinterpret_cast<HMODULE>(&__ImageBase);
}
