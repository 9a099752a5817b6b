#include "library/ProcessLibData.h"

#include <tinyxml.h>

ProcessLibData::ProcessLibData() = default;
ProcessLibData::~ProcessLibData() = default;

void ProcessLibData::Clear()
{
    document_.reset();
    Paths.clear();
    CompanyNames.clear();
    SignNames.clear();
    ItemsByName.clear();
}

static std::wstring Lookup(const std::map<int, std::wstring>& table, int id)
{
    const auto found = table.find(id);
    return found == table.end() ? std::wstring() : found->second;
}

std::wstring ProcessLibData::GetPathByIndex(int id) const { return Lookup(Paths, id); }
std::wstring ProcessLibData::GetCompanyNameByIndex(int id) const { return Lookup(CompanyNames, id); }
std::wstring ProcessLibData::GetSignNameByIndex(int id) const { return Lookup(SignNames, id); }

int ProcessLibData::AddPath(int id, const std::wstring& text)
{
    if (text.empty()) return 0;
    return Paths.emplace(id, text).second ? 1 : 0;
}

int ProcessLibData::AddCompanyName(int id, const std::wstring& text)
{
    return CompanyNames.emplace(id, text).second ? 1 : 0;
}

int ProcessLibData::AddSignName(int id, const std::wstring& text)
{
    return SignNames.emplace(id, text).second ? 1 : 0;
}

int ProcessLibData::AddItem(const ProcessItem& item)
{
    return AddItem(ProcessItem(item));
}

int ProcessLibData::AddItem(ProcessItem&& item)
{
    // A multimap files an equal key after the ones present: document order.
    // Items of one group arrive one after another, so the position right
    // after the previous item is usually the place, found without a search.
    std::wstring key = item.Name;
    if (!ItemsByName.empty() && lastAdded_->first == key)
        lastAdded_ = ItemsByName.emplace_hint(std::next(lastAdded_), std::move(key), std::move(item));
    else
        lastAdded_ = ItemsByName.emplace(std::move(key), std::move(item));
    return 1;
}
