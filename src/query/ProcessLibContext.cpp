#include "query/ProcessLibContext.h"

#include "environment/PathUtils.h"
#include "library/LibraryFile.h"

ProcessLibContext::ProcessLibContext() : Store(new ProcessLibData()) {}

int ProcessLibContext::Load(const wchar_t* path)
{
    // The default data file location comes with the installation
    // environment; until it exists a load needs an explicit path.
    if (path == nullptr) return 0;
    LibraryPath = path;

    // The existence test resolves a relative path against the host
    // executable's directory; the opens below use the path as given.
    if (!PathExists(LibraryPath)) return 0;

    LibraryFileHeader header;
    if (CheckLibraryFileHeader(LibraryPath, header) && header.CompatLevel > kMaxCompatLevel) return 0;

    VqDatLibContent content;
    if (!ReadLibraryFile(LibraryPath, content)) return 0;
    return Store->LoadFromText(content.Text.get(), content.TextLength);
}

int ProcessLibContext::FillProcessInfo(const wchar_t* exePath, ProcessLibRecord& record) const
{
    // No item can be chosen without the process matcher.
    (void)exePath;
    (void)record;
    return 0;
}
