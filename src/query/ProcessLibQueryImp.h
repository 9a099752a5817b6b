#pragma once
#include "query/ProcessLibContext.h"

#include <appatlas.h>

#include <memory>

// The query object behind export "a". Not loaded until a load succeeds;
// after that it never loads again and only reads its store.
class CProcessLibQueryImp final : public IProcessLibQuery {
public:
    CProcessLibQueryImp() = default;
    ~CProcessLibQueryImp() = default;
    CProcessLibQueryImp(const CProcessLibQueryImp&) = delete;
    CProcessLibQueryImp& operator=(const CProcessLibQueryImp&) = delete;

    int __stdcall Init(const wchar_t* path) override;
    int __stdcall QueryProcessInfo(const wchar_t* exePath, ProcessLibInfo** info) override;
    void __stdcall FreeProcessInfo(ProcessLibInfo* info) override;

    std::unique_ptr<ProcessLibContext> Context;
    int Loaded = 0;

private:
    int InitOrThrow(const wchar_t* path);
};
