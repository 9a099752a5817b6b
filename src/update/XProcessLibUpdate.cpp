#include "update/XProcessLibUpdate.h"

#include "environment/DataFilePath.h"
#include "environment/PathUtils.h"
#include "environment/Win32Error.h"
#include "library/LibraryFile.h"
#include "update/ApplyDeltaToFile.h"

#include <new>

namespace {

const wchar_t kUpdateNamePrefix[] = L"appatlas";
const HRESULT kFileInvalid = HRESULT_FROM_WIN32(ERROR_FILE_INVALID);
const HRESULT kBadFormat = HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);

HRESULT Apply(const wchar_t* deltaPath)
{
    if (GetFileNameOfPath(deltaPath).compare(0, 8, kUpdateNamePrefix) != 0) return kFileInvalid;

    const std::wstring dataPath = ComposeDataFilePath();
    const std::wstring newPath = dataPath + L".0";
    const HRESULT applied = ApplyDeltaToFile(newPath.c_str(), dataPath.c_str(), deltaPath);
    if (applied != S_OK) return applied;

    // A delta without a checksum applied to another source decodes to
    // garbage; never let that replace a good library.
    LibraryFileHeader header;
    if (!CheckLibraryFileHeader(newPath, header)) return kBadFormat;

    if (!MoveFileExW(newPath.c_str(), dataPath.c_str(), MOVEFILE_REPLACE_EXISTING)) return HresultFromLastError();
    return S_OK;
}

}  // namespace

HRESULT __stdcall XProcessLibUpdate::ApplyUpdate(const wchar_t* deltaPath)
{
    if (deltaPath == nullptr) return E_INVALIDARG;
    try {
        return Apply(deltaPath);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT __stdcall XProcessLibUpdate::ReservedOperation(void*)
{
    return 1;
}
