#include "query/ProcessLibInfoCopy.h"

#include <cstring>
#include <new>

namespace {

class StringPacker {
public:
    explicit StringPacker(wchar_t* next) : next_(next) {}
    const wchar_t* Put(const std::wstring& text)
    {
        wchar_t* placed = next_;
        std::memcpy(placed, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        next_ += text.size() + 1;
        return placed;
    }

private:
    wchar_t* next_;
};

} // namespace

ProcessLibInfo* NewProcessLibInfo(const ProcessLibRecord& record)
{
    const std::wstring* texts[] = {&record.Name, &record.DisplayName, &record.Description, &record.Path,
                                   &record.CompanyName, &record.SignName, &record.SoftId};
    size_t characters = 0;
    for (const std::wstring* text : texts) characters += text->size() + 1;

    void* block = ::operator new(sizeof(ProcessLibInfo) + characters * sizeof(wchar_t));
    ProcessLibInfo* info = static_cast<ProcessLibInfo*>(block);
    StringPacker packer(reinterpret_cast<wchar_t*>(info + 1));

    info->Id = record.Id;
    info->Name = packer.Put(record.Name);
    info->DisplayName = packer.Put(record.DisplayName);
    info->Description = packer.Put(record.Description);
    info->Path = packer.Put(record.Path);
    info->Reserved = record.Reserved;
    info->CompanyName = packer.Put(record.CompanyName);
    info->SignName = packer.Put(record.SignName);
    info->SoftId = packer.Put(record.SoftId);
    info->ProcessType = record.ProcessType;
    info->CanClose = record.CanClose;
    return info;
}

void DeleteProcessLibInfo(ProcessLibInfo* info)
{
    ::operator delete(info);
}
