#include "environment/PathUtils.h"

#include "environment/TextUtils.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

// Buffer sizes of the bounded path splitter, terminators included.
const size_t kDirBuffer = 256;
const size_t kNameBuffer = 256;
const size_t kExtBuffer = 256;

struct PathParts {
    std::wstring drive, directory, base, extension;
};

// The rules of the C runtime's _wsplitpath_s, which Windows XP's msvcrt.dll
// does not export: drive when the second character is a colon, directory
// through the last slash or backslash, extension from the last dot after
// it. False when a part would not fit its buffer.
bool SplitPathBounded(const std::wstring& path, PathParts& parts)
{
    size_t rest = 0;
    if (path.size() >= 2 && path[1] == L':') {
        parts.drive = path.substr(0, 2);
        rest = 2;
    }
    const size_t slash = path.find_last_of(L"\\/");
    size_t nameStart = rest;
    if (slash != std::wstring::npos && slash >= rest) {
        parts.directory = path.substr(rest, slash + 1 - rest);
        nameStart = slash + 1;
    }
    const size_t dot = path.rfind(L'.');
    size_t nameEnd = path.size();
    if (dot != std::wstring::npos && dot >= nameStart) {
        parts.extension = path.substr(dot);
        nameEnd = dot;
    }
    parts.base = path.substr(nameStart, nameEnd - nameStart);

    return parts.directory.size() < kDirBuffer && parts.base.size() < kNameBuffer &&
           parts.extension.size() < kExtBuffer;
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
    PathParts parts;
    if (!SplitPathBounded(path, parts)) return std::wstring();
    if (parts.base.empty()) return std::wstring();
    return parts.base + parts.extension;
}
