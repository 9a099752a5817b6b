#include "identify/WinModule.h"

namespace WinMod {

CWinModule::~CWinModule()
{
    if (Module != nullptr) FreeLibrary(Module);
}

void CWinModule::Unload()
{
    if (Module == nullptr) return;
    FreeLibrary(Module);
    Module = nullptr;
}

} // namespace WinMod
