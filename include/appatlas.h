/*
 * appatlas.h - public interface of appatlas.dll.
 *
 * A host loads appatlas.dll (LoadLibraryW), resolves the exports by name
 * (GetProcAddress) and talks to the objects they hand out through the
 * interfaces below. Everything here is laid out for 32-bit Windows and is
 * usable from any C++ compiler that follows the platform's COM layout
 * (MSVC, mingw-w64 g++, clang): interfaces are classes of pure virtual
 * __stdcall methods with no virtual destructor, records are plain structs of
 * 32-bit integers and pointers.
 */
#ifndef APPATLAS_H
#define APPATLAS_H

#ifndef __cplusplus
#error "appatlas.h declares C++ interfaces; include it from C++"
#endif

#define APPATLAS_QUERY_VERSION 1

/*
 * The result record of a query. The module allocates it and fills every
 * field; the host reads the fields and returns the record through
 * IProcessLibQuery::FreeProcessInfo. The strings are NUL-terminated UTF-16
 * texts owned by the record: never null (a field without a value is ""),
 * valid until the record is freed, also after the query object is gone.
 */
struct ProcessLibInfo {
    int Id;                     /* the library item's id */
    const wchar_t* Name;        /* lower-cased executable file name */
    const wchar_t* DisplayName;
    const wchar_t* Description;
    const wchar_t* Path;        /* install path text of the library */
    int Reserved;               /* always 0 */
    const wchar_t* CompanyName;
    const wchar_t* SignName;
    const wchar_t* SoftId;
    int ProcessType;
    int CanClose;
};

/*
 * The query object. Created by export "a" with APPATLAS_QUERY_VERSION and
 * destroyed only by export "b"; it has no reference count. Not safe for use
 * from two threads until a load has succeeded; afterwards queries may run
 * concurrently.
 */
class IProcessLibQuery {
public:
    /* Loads the process library once. path: the data file, or null for the
       installation's appatlas.dat. Returns nonzero when a library is loaded;
       after the first success further calls return 1 and load nothing. */
    virtual int __stdcall Init(const wchar_t* path) = 0;

    /* Returns 1 when the library knows the executable at exePath (a full
       path), else 0. On 1, when info is not null, *info receives a new
       record to be released with FreeProcessInfo; on 0, *info is left as it
       was. Loads from the default location first if nothing is loaded. */
    virtual int __stdcall QueryProcessInfo(const wchar_t* exePath, ProcessLibInfo** info) = 0;

    /* Releases a record from QueryProcessInfo of any query object; null does
       nothing. */
    virtual void __stdcall FreeProcessInfo(ProcessLibInfo* info) = 0;

protected:
    ~IProcessLibQuery() {}
};

/* Export "a" (ordinal 2): a new query object for interface version 1, null
   for any other version. */
typedef IProcessLibQuery* (__stdcall* PFN_APPATLAS_CREATE_QUERY)(int version);

/* Export "b" (ordinal 3): destroys a query object made by "a"; null does
   nothing. */
typedef void (__stdcall* PFN_APPATLAS_DESTROY_QUERY)(IProcessLibQuery* query);

/*
 * Diagnostic export "AppAtlasDiagnosticText" (ordinal 4): the installation
 * environment as the module sees it, for tools that show it. Not part of
 * the query face; hosts need not use it.
 *
 * item: one of APPATLAS_DIAG_*. On entry *size is the capacity of buffer in
 * characters. Returns 1 with the NUL-terminated text in buffer when it
 * fits; 0 with the needed capacity (terminator included) in *size when it
 * does not (buffer may then be null); -1 for an unknown item, a null size
 * or a failure. Asking for the data file path prepares the data directory,
 * as a load from the default location does.
 */
#define APPATLAS_DIAG_REGISTRY_KEY 0   /* key below HKEY_LOCAL_MACHINE */
#define APPATLAS_DIAG_PRODUCT_NAME 1
#define APPATLAS_DIAG_THIRD_NAME 2     /* third branding name */
#define APPATLAS_DIAG_DATA_FILE_PATH 3 /* where appatlas.dat is loaded from */
typedef int (__stdcall* PFN_APPATLAS_DIAGNOSTIC_TEXT)(int item, wchar_t* buffer, unsigned int* size);

/*
 * The update face. Export "CreateUpdateHelper" (ordinal 1) hands out a
 * reference-counted COM-style object; the updater calls ApplyUpdate with an
 * update file and then Release.
 */
#include <windows.h>
#include <unknwn.h>

/* {6A3F9D12-47B8-4C0E-9E21-B5D7C3A80F46} */
static const IID IID_IUpdateHelper =
    {0x6A3F9D12, 0x47B8, 0x4C0E, {0x9E, 0x21, 0xB5, 0xD7, 0xC3, 0xA8, 0x0F, 0x46}};

class IUpdateHelper : public IUnknown {
public:
    /* Applies the update file at deltaPath (its file name must begin with
       "appatlas", case-sensitively) to the installation's appatlas.dat and
       replaces that file in one rename. S_OK when the data file now holds
       the new library; otherwise an HRESULT, and the data file is
       unchanged: 0x800703EE for a refused name, 0x8007000B for an update
       that cannot be read, is refused by the decoder or does not yield a
       data file, E_OUTOFMEMORY, E_INVALIDARG for a null path, or the Win32
       error of a file operation or of the final rename (the new file then
       remains as appatlas.dat.0 beside the data file). */
    virtual HRESULT __stdcall ApplyUpdate(const wchar_t* deltaPath) = 0;

    /* Reserved; returns 1 and does nothing. */
    virtual HRESULT __stdcall ReservedOperation(void* reserved) = 0;
};

/* Export "CreateUpdateHelper" (ordinal 1): for IID_IUpdateHelper or
   IID_IUnknown, S_OK and *ppv receives a new object holding one reference;
   S_FALSE for any other identifier and E_OUTOFMEMORY, leaving *ppv as it
   was; E_INVALIDARG when riid or ppv is null. */
typedef HRESULT (__stdcall* PFN_APPATLAS_CREATE_UPDATE_HELPER)(const IID* riid, void** ppv);

#endif /* APPATLAS_H */
