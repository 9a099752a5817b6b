#include "environment/PathUtils.h"

#include "environment/TextUtils.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

// Buffer sizes of the bounded path splitter, terminators included.
const size_t kDirBuffer = 256;
const size_t kNameBuffer = 256;
const size_t kExtBuffer = 256;

// The rules of the C runtime's _wsplitpath_s, which Windows XP's msvcrt.dll
// does not export: drive when the second character is a colon, directory
// through the last slash or backslash, extension from the last dot after
// it. Gives where the base name starts and where the extension starts, or
// false when a part would not fit its buffer. Only positions are computed:
// the matcher asks for every queried path's file name.
bool SplitPathBounded(const std::wstring& path, size_t& nameStart, size_t& extensionStart)
{
    const size_t rest = (path.size() >= 2 && path[1] == L':') ? 2 : 0;
    const size_t slash = path.find_last_of(L"\\/");
    nameStart = rest;
    if (slash != std::wstring::npos && slash >= rest) nameStart = slash + 1;
    const size_t dot = path.rfind(L'.');
    extensionStart = (dot != std::wstring::npos && dot >= nameStart) ? dot : path.size();

    return nameStart - rest < kDirBuffer && extensionStart - nameStart < kNameBuffer &&
           path.size() - extensionStart < kExtBuffer;
}

} // namespace

std::wstring GetHostExePath()
{
    wchar_t buffer[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, buffer, MAX_PATH) == 0) return std::wstring();
    buffer[MAX_PATH - 1] = L'\0';
    return buffer;
}

std::wstring GetParentDirectory(const std::wstring& path)
{
    if (path.empty() || path.size() >= MAX_PATH) return std::wstring();
    wchar_t buffer[MAX_PATH] = {};
    path.copy(buffer, path.size());
    PathRemoveFileSpecW(buffer);
    // Nothing removed (a bare root): there is no parent.
    if (EqualsIgnoreAsciiCase(buffer, path.c_str())) return std::wstring();
    return buffer;
}

std::wstring GetHostExeDirectory()
{
    return GetParentDirectory(GetHostExePath());
}

std::wstring CombinePath(const std::wstring& directory, const std::wstring& relative)
{
    wchar_t buffer[MAX_PATH] = {};
    if (PathCombineW(buffer, directory.c_str(), relative.c_str()) == nullptr) return std::wstring();
    return buffer;
}

std::wstring ResolvePath(const std::wstring& path)
{
    if (path.empty()) return std::wstring();
    if (!PathIsRelativeW(path.c_str())) return path;
    return CombinePath(GetHostExeDirectory(), path);
}

bool PathExists(const std::wstring& path)
{
    if (path.empty()) return false;
    const std::wstring resolved = ResolvePath(path);
    return PathFileExistsW(resolved.c_str()) == TRUE;
}

std::wstring GetFileNameOfPath(const std::wstring& path)
{
    if (path.empty()) return std::wstring();
    size_t nameStart = 0, extensionStart = 0;
    if (!SplitPathBounded(path, nameStart, extensionStart)) return std::wstring();
    if (extensionStart == nameStart) return std::wstring();
    return path.substr(nameStart);
}
