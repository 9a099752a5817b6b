#include "query/ProcessLibQueryImp.h"

#include "query/ProcessLibInfoCopy.h"

// Every method is called by the host across the module boundary, so no
// exception may leave one: failures of any kind report 0.

int CProcessLibQueryImp::InitOrThrow(const wchar_t* path)
{
    if (Loaded != 0) return 1;
    // A failed attempt's context is replaced, never accumulated.
    Context.reset();
    Context.reset(new ProcessLibContext());
    Loaded = Context->Load(path);
    return Loaded;
}

int __stdcall CProcessLibQueryImp::Init(const wchar_t* path)
{
    try {
        return InitOrThrow(path);
    } catch (...) {
        return 0;
    }
}

int __stdcall CProcessLibQueryImp::QueryProcessInfo(const wchar_t* exePath, ProcessLibInfo** info)
{
    try {
        if (InitOrThrow(nullptr) == 0) return 0;
        if (exePath == nullptr) return 0;

        ProcessLibRecord record;
        if (Context->FillProcessInfo(exePath, record) == 0) return 0;
        if (info != nullptr) *info = NewProcessLibInfo(record);
        return 1;
    } catch (...) {
        return 0;
    }
}

void __stdcall CProcessLibQueryImp::FreeProcessInfo(ProcessLibInfo* info)
{
    DeleteProcessLibInfo(info);
}
