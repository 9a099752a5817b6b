#pragma once
#include <appatlas.h>

// The working operations of the update object; reference counting comes
// from XComObject.
class XProcessLibUpdate : public IUpdateHelper {
public:
    HRESULT __stdcall ApplyUpdate(const wchar_t* deltaPath) override;
    HRESULT __stdcall ReservedOperation(void* reserved) override;

protected:
    ~XProcessLibUpdate() = default;
};
