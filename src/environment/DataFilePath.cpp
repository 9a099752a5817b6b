#include "environment/DataFilePath.h"

#include "environment/CreateDirectoryChain.h"
#include "environment/DataDirectoryAcl.h"
#include "environment/LocateDataDirectory.h"
#include "environment/ThisModule.h"

std::wstring ComposeDataFilePath()
{
    return ComposeDataFilePath(GetBrandingInfo(), ThisModuleHandle());
}

std::wstring ComposeDataFilePath(const BrandingInfo& branding, HMODULE module)
{
    std::wstring directory;
    if (SUCCEEDED(LocateDataDirectory(branding, module, directory))) {
        // Only a directory made just now gets the access list; one that
        // exists keeps whatever it has.
        if (CreateDirectoryChain(directory) == 0) ApplyDataDirectoryAcl(directory);
    }
    return directory + L"\\appatlas.dat";
}
