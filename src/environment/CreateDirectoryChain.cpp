#include "environment/CreateDirectoryChain.h"

#include "environment/Win32Error.h"

HRESULT CreateDirectoryChain(const std::wstring& path)
{
    HRESULT result = 1;
    if (path.empty()) return result;
    std::wstring chain = path;
    if (chain.back() != L'\\') chain += L'\\';

    for (size_t slash = chain.find(L'\\'); slash != std::wstring::npos; slash = chain.find(L'\\', slash + 1)) {
        const std::wstring prefix = chain.substr(0, slash);
        if (GetFileAttributesW(prefix.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (!CreateDirectoryW(prefix.c_str(), nullptr)) return HresultFromLastError();
        SetFileAttributesW(prefix.c_str(), FILE_ATTRIBUTE_NORMAL);
        result = 0;
    }
    return result;
}
