#include "query/ProcessLibContext.h"

#include "environment/DataFilePath.h"
#include "environment/PathUtils.h"
#include "identify/ProcessMatcher.h"
#include "library/LibraryFile.h"

ProcessLibContext::ProcessLibContext() : Store(new ProcessLibData()) {}

int ProcessLibContext::Load(const wchar_t* path)
{
    LibraryPath = path != nullptr ? std::wstring(path) : ComposeDataFilePath();

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
    // The record is filled from the store's own item: no copy in between.
    const ProcessItem* found = FindProcessItem(*Store, exePath);
    if (found == nullptr) return 0;
    const ProcessItem& item = *found;

    record.Id = item.Id;
    record.Name = item.Name;
    record.DisplayName = item.DisplayName;
    record.Description = item.Description;
    record.Path = Store->GetPathByIndex(item.PathIndex);
    record.CompanyName = Store->GetCompanyNameByIndex(item.CompanyNameIndex);
    record.SignName = Store->GetSignNameByIndex(item.SignNameIndex);
    record.SoftId = item.SoftId;
    record.ProcessType = item.ProcessType;
    record.CanClose = item.CanClose;
    return 1;
}
