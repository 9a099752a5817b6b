#include "environment/DataDirectoryAcl.h"

#include "environment/AccessControlList.h"
#include "environment/UniqueLocalMemory.h"
#include "environment/Win32Error.h"

#include <aclapi.h>

#include <new>

namespace {

const BYTE kInheritToAll = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
const ACCESS_MASK kNothing = 0;
const ACCESS_MASK kFullFileAccess = 0x001F01FF;
const HRESULT kBuildFailed = 1;

HRESULT BuildAcl(BYTE revision, std::vector<DWORD>& storage)
{
    const SecurityIdentifier users = SecurityIdentifier::BuiltinUsers();
    const SecurityIdentifier everyone = SecurityIdentifier::Everyone();
    if (!users.Valid() || !everyone.Valid()) return kBuildFailed;

    AccessControlList list(revision);
    list.AddAllowed(users, kFullFileAccess, kInheritToAll);
    list.AddDenied(everyone, kNothing, kInheritToAll);
    if (!list.Build(storage)) return HresultFromLastError();
    return S_OK;
}

HRESULT ApplyAcl(const std::wstring& directory)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version)) return HresultFromLastError();
    // From major version 6 on, new directories get usable access already.
    if (version.dwMajorVersion >= 6) return S_OK;

    PACL current = nullptr;
    UniqueLocalMemory descriptor;
    const DWORD read = GetNamedSecurityInfoW(directory.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                             nullptr, &current, nullptr, descriptor.Receive());
    if (read != ERROR_SUCCESS) return HresultFromWin32Error(read);
    if (current == nullptr) return E_FAIL;

    std::vector<DWORD> storage;
    const HRESULT built = BuildAcl(current->AclRevision, storage);
    if (built != S_OK) return built;

    std::wstring target = directory;
    const DWORD written = SetNamedSecurityInfoW(&target[0], SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                                nullptr, reinterpret_cast<PACL>(storage.data()), nullptr);
    if (written != ERROR_SUCCESS) return HresultFromWin32Error(written);
    return S_OK;
}

} // namespace

HRESULT ApplyDataDirectoryAcl(const std::wstring& directory)
{
    try {
        return ApplyAcl(directory);
    } catch (const std::bad_alloc&) {
        return kBuildFailed;
    }
}

HRESULT BuildDataDirectoryAcl(BYTE revision, std::vector<DWORD>& storage)
{
    try {
        return BuildAcl(revision, storage);
    } catch (const std::bad_alloc&) {
        return kBuildFailed;
    }
}
