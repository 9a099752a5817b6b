#pragma once
#include <windows.h>

namespace WinMod {

// Owner of one module loaded at run time; frees it when destroyed.
class CWinModule {
public:
    CWinModule() = default;
    virtual ~CWinModule();
    CWinModule(const CWinModule&) = delete;
    CWinModule& operator=(const CWinModule&) = delete;

    // Frees the held module, if any.
    virtual void Unload();

protected:
    HMODULE Module = nullptr;
};

} // namespace WinMod
