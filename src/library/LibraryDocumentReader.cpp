// The library document's schema, as ProcessLibData::LoadFromText reads it:
//
//   <ProcessLib>
//     <Paths>        <any id="" value=""/>...   </Paths>
//     <CompanyNames> <any id="" Value=""/>...   </CompanyNames>
//     <SignNames>    <any id="" Value=""/>...   </SignNames>
//     <MaxProcessItemId id=""/>                 (optional)
//     <Processes>
//       <any Name="app.exe"> <any id="" DisplayName="" .../>... </any>
//     </Processes>
//   </ProcessLib>

#include "library/ProcessLibData.h"

#include "environment/TextUtils.h"
#include "library/ElementAttributes.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>

namespace {

// The XML library's file loader turns CR LF and lone CR into LF; its Parse
// does not, so the text is normalised here. A zero byte ends the document.
std::string NormaliseLineEnds(const char* text, size_t length)
{
    const size_t end = strnlen(text, length);
    std::string out;
    out.reserve(end);
    size_t from = 0;
    while (from < end) {
        const void* cr = std::memchr(text + from, '\r', end - from);
        const size_t at = cr ? size_t(static_cast<const char*>(cr) - text) : end;
        out.append(text + from, at - from);
        if (at == end) break;
        out.push_back('\n');
        from = at + 1;
        if (from < end && text[from] == '\n') ++from;
    }
    return out;
}

const TiXmlElement* FindSection(const TiXmlDocument& document, const char* name)
{
    const TiXmlNode* root = document.FirstChild("ProcessLib");
    if (root == nullptr) return nullptr;
    const TiXmlNode* section = root->FirstChild(name);
    return section == nullptr ? nullptr : section->ToElement();
}

// The entry where a table section starts: its first child, which must be an
// element (an empty section, or one opening with a comment, is refused).
const TiXmlElement* FirstEntry(const TiXmlNode& parent)
{
    const TiXmlNode* first = parent.FirstChild();
    return first == nullptr ? nullptr : first->ToElement();
}

// Item attributes in one pass over the element's attribute list; for each
// field the first attribute with a matching name wins.
enum ItemField {
    kId, kPathIndex, kPathLevel, kCompanyNameIndex, kSignNameIndex, kProcessType, kCanClose,
    kDisplayName, kDescription, kSoftId, kFieldCount
};
struct FieldName {
    const char* text;
    size_t length;
};
#define ITEM_FIELD(name) {name, sizeof(name) - 1}
const FieldName kItemFields[kFieldCount] = {
    ITEM_FIELD("id"), ITEM_FIELD("PathIndex"), ITEM_FIELD("PathLevel"), ITEM_FIELD("CompanyNameIndex"),
    ITEM_FIELD("SignNameIndex"), ITEM_FIELD("ProcessType"), ITEM_FIELD("CanClose"), ITEM_FIELD("DisplayName"),
    ITEM_FIELD("Description"), ITEM_FIELD("SoftId"),
};
#undef ITEM_FIELD

ProcessItem ReadItem(const TiXmlElement& element, const std::wstring& name)
{
    // Comparing lengths first keeps the case-insensitive name test off the
    // hot path: a large library has millions of item attributes.
    const char* values[kFieldCount] = {};
    for (const TiXmlAttribute* a = element.FirstAttribute(); a != nullptr; a = a->Next()) {
        const size_t length = a->NameTStr().size();
        for (int f = 0; f < kFieldCount; ++f) {
            if (values[f] == nullptr && kItemFields[f].length == length &&
                AttributeNameIs(a->Name(), kItemFields[f].text)) {
                values[f] = a->Value();
                break;
            }
        }
    }
    ProcessItem item;
    item.Name = name;
    item.Id = ParseIntegerText(values[kId]);
    item.DisplayName = Utf8ToWideOrEmpty(values[kDisplayName]);
    item.Description = Utf8ToWideOrEmpty(values[kDescription]);
    item.PathIndex = ParseIntegerText(values[kPathIndex]);
    item.PathLevel = ParseIntegerText(values[kPathLevel]);
    item.CompanyNameIndex = ParseIntegerText(values[kCompanyNameIndex]);
    item.SignNameIndex = ParseIntegerText(values[kSignNameIndex]);
    item.ProcessType = ParseIntegerText(values[kProcessType]);
    item.CanClose = ParseIntegerText(values[kCanClose]);
    item.SoftId = Utf8ToWideOrEmpty(values[kSoftId]);
    return item;
}

} // namespace

const TiXmlElement* ProcessLibData::OpenTable(const char* name)
{
    const TiXmlElement* section = FindSection(*document_, name);
    const TiXmlElement* first = section == nullptr ? nullptr : FirstEntry(*section);
    if (first == nullptr) {
        loadFailure_ = Utf8ToWideOrEmpty(name) +
                       (section == nullptr ? L": section missing or not an element"
                                           : L": first child is missing or not an element");
    }
    return first;
}

int ProcessLibData::LoadFromText(const char* text, size_t length)
{
    Clear();
    loadFailure_.clear();
    document_.reset(new TiXmlDocument());

    const std::string normalised = NormaliseLineEnds(text, length);
    document_->Parse(normalised.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (document_->Error()) {
        loadFailure_ = L"XML error at line " + std::to_wstring(document_->ErrorRow()) + L", column " +
                       std::to_wstring(document_->ErrorCol()) + L": " +
                       Utf8ToWideOrEmpty(document_->ErrorDesc());
        return 0;
    }

    const TiXmlElement* entry = OpenTable("Paths");
    if (entry == nullptr) return 0;
    for (; entry != nullptr; entry = entry->NextSiblingElement()) {
        const int id = ReadIntegerAttribute(*entry, "id");
        AddPath(id, ReadTextAttribute(*entry, "value"));
        MaxPathId = std::max(MaxPathId, id);
    }

    entry = OpenTable("CompanyNames");
    if (entry == nullptr) return 0;
    for (; entry != nullptr; entry = entry->NextSiblingElement()) {
        const int id = ReadIntegerAttribute(*entry, "id");
        AddCompanyName(id, ReadTextAttribute(*entry, "Value"));
        MaxCompanyNameId = std::max(MaxCompanyNameId, id);
    }

    entry = OpenTable("SignNames");
    if (entry == nullptr) return 0;
    for (; entry != nullptr; entry = entry->NextSiblingElement()) {
        const int id = ReadIntegerAttribute(*entry, "id");
        if (AddSignName(id, ReadTextAttribute(*entry, "Value")) == 0) {
            loadFailure_ = L"SignNames: id " + std::to_wstring(id) + L" appears twice";
            return 0;
        }
        MaxSignNameId = std::max(MaxSignNameId, id);
    }

    if (const TiXmlElement* declared = FindSection(*document_, "MaxProcessItemId"))
        MaxProcessItemId = std::max(MaxProcessItemId, ReadIntegerAttribute(*declared, "id"));

    const TiXmlElement* group = OpenTable("Processes");
    if (group == nullptr) return 0;
    for (; group != nullptr; group = group->NextSiblingElement()) {
        const std::wstring name = ToLowerCopy(ReadTextAttribute(*group, "Name"));
        for (const TiXmlElement* item = FirstEntry(*group); item != nullptr; item = item->NextSiblingElement()) {
            ProcessItem read = ReadItem(*item, name);
            MaxProcessItemId = std::max(MaxProcessItemId, read.Id);
            AddItem(std::move(read));
        }
    }
    return 1;
}
