#pragma once
#include <appatlas.h>

#include <cstring>

// Reference counting and QueryInterface for an IUpdateHelper
// implementation. Created with a count of 0; the Release that brings the
// count to 0 deletes the object.
template <class Impl>
class XComObject final : public Impl {
public:
    HRESULT __stdcall QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_INVALIDARG;
        if (IsSupported(riid)) {
            *ppv = static_cast<IUpdateHelper*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }

    ULONG __stdcall AddRef() override { return ULONG(InterlockedIncrement(&count_)); }

    ULONG __stdcall Release() override
    {
        // Only the value the decrement itself yields decides, so exactly
        // one caller frees the object.
        const LONG count = InterlockedDecrement(&count_);
        if (count == 0) delete this;
        return ULONG(count);
    }

    // The identifiers the object answers to, compared as raw bytes.
    static bool IsSupported(REFIID riid)
    {
        return std::memcmp(&riid, &IID_IUpdateHelper, sizeof(IID)) == 0 ||
               std::memcmp(&riid, &IID_IUnknown, sizeof(IID)) == 0;
    }

private:
    ~XComObject() = default;

    LONG count_ = 0;
};
