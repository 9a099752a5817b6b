// Exports "a" and "b": the query face of the module. Decorated __stdcall
// names are mapped to plain ones by the module definition file.

#include "query/ProcessLibQueryImp.h"

#include <new>

extern "C" IProcessLibQuery* __stdcall a(int version)
{
    if (version != APPATLAS_QUERY_VERSION) return nullptr;
    return new (std::nothrow) CProcessLibQueryImp();
}

extern "C" void __stdcall b(IProcessLibQuery* query)
{
    delete static_cast<CProcessLibQueryImp*>(query);
}
