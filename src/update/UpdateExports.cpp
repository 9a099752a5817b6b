// Export "CreateUpdateHelper": the update face of the module. The decorated
// __stdcall name is mapped to the plain one by the module definition file.

#include "update/XComObject.h"
#include "update/XProcessLibUpdate.h"

#include <new>

extern "C" HRESULT __stdcall CreateUpdateHelper(const IID* riid, void** ppv)
{
    if (riid == nullptr || ppv == nullptr) return E_INVALIDARG;
    if (!XComObject<XProcessLibUpdate>::IsSupported(*riid)) return S_FALSE;
    IUpdateHelper* helper = new (std::nothrow) XComObject<XProcessLibUpdate>();
    if (helper == nullptr) return E_OUTOFMEMORY;
    helper->AddRef();
    *ppv = helper;
    return S_OK;
}
