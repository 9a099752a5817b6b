#pragma once
#include "library/ProcessItem.h"

#include <map>
#include <memory>
#include <string>

class TiXmlDocument;
class TiXmlElement;

// The in-memory form of one loaded process library. Filled once by
// LoadFromText, read-only afterwards, so concurrent readers need no lock.
class ProcessLibData {
public:
    using ItemIndex = std::multimap<std::wstring, ProcessItem>;
    using ItemRange = std::pair<ItemIndex::const_iterator, ItemIndex::const_iterator>;

    ProcessLibData();
    ~ProcessLibData();
    ProcessLibData(const ProcessLibData&) = delete;
    ProcessLibData& operator=(const ProcessLibData&) = delete;

    // Parses the UTF-8 document (text followed by a zero byte, length without
    // it) and fills the store. 1 when the document parsed and every section
    // was read, else 0; a failed load may leave entries read before the
    // failure.
    int LoadFromText(const char* text, size_t length);

    // What made the last LoadFromText fail, for diagnostics; empty after a
    // success.
    const std::wstring& LoadFailure() const { return loadFailure_; }

    std::wstring GetPathByIndex(int id) const;
    std::wstring GetCompanyNameByIndex(int id) const;
    std::wstring GetSignNameByIndex(int id) const;

    int AddPath(int id, const std::wstring& text);
    int AddCompanyName(int id, const std::wstring& text);
    int AddSignName(int id, const std::wstring& text);
    int AddItem(const ProcessItem& item);
    int AddItem(ProcessItem&& item);

    // The items filed under a lower-cased executable file name, in document
    // order.
    ItemRange ItemsNamed(const std::wstring& lowerName) const { return ItemsByName.equal_range(lowerName); }

    std::map<int, std::wstring> Paths;
    std::map<int, std::wstring> CompanyNames;
    std::map<int, std::wstring> SignNames;
    ItemIndex ItemsByName;
    int MaxPathId = 0;
    int MaxCompanyNameId = 0;
    int MaxSignNameId = 0;
    int MaxProcessItemId = 0;

private:
    void Clear();
    // The first entry of a table section of the parsed document, or null
    // (with loadFailure_ set) when the section is absent or starts wrongly.
    const TiXmlElement* OpenTable(const char* name);

    std::unique_ptr<TiXmlDocument> document_;
    ItemIndex::iterator lastAdded_;
    std::wstring loadFailure_;
};
