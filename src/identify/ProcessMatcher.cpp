#include "identify/ProcessMatcher.h"

#include "environment/PathUtils.h"
#include "environment/TextUtils.h"
#include "identify/CandidateSelection.h"
#include "identify/DirectoryKeys.h"
#include "identify/FileCompanyName.h"
#include "identify/FileSignerName.h"

const FileFactReaders kFileFactReaders = {GetFileCompanyName, GetFileSignerName};

namespace {

int FindTextIndex(const std::map<int, std::wstring>& table, const std::wstring& text)
{
    for (const auto& entry : table)
        if (entry.second.size() == text.size() && EqualsIgnoreAsciiCase(entry.second.c_str(), text.c_str()))
            return entry.first;
    return -1;
}

// The Paths text of an id, empty when no entry has it; a reference, so the
// directory stage copies no text.
const std::wstring& PathText(const ProcessLibData& store, int id)
{
    static const std::wstring kNone;
    const auto found = store.Paths.find(id);
    return found == store.Paths.end() ? kNone : found->second;
}

} // namespace

int FindCompanyNameIndex(const ProcessLibData& store, const std::wstring& text)
{
    return FindTextIndex(store.CompanyNames, text);
}

int FindSignNameIndex(const ProcessLibData& store, const std::wstring& text)
{
    return FindTextIndex(store.SignNames, text);
}

// The index key of a path: its file name with A-Z folded, in place, so the
// name is built once.
static std::wstring LowerFileName(const std::wstring& path)
{
    std::wstring name = GetFileNameOfPath(path);
    for (wchar_t& c : name)
        if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
    return name;
}

const ProcessItem* FindProcessItem(const ProcessLibData& store, const std::wstring& path,
                                   const FileFactReaders& readers)
{
    const ProcessLibData::ItemRange candidates = store.ItemsNamed(LowerFileName(path));
    if (candidates.first == candidates.second) return nullptr;

    const DirectoryKeys keys(path);
    CandidateSelection byDirectory;
    for (auto it = candidates.first; it != candidates.second; ++it) {
        const ProcessItem& candidate = it->second;
        if (candidate.PathIndex == -1 || keys.Matches(PathText(store, candidate.PathIndex))) byDirectory.Add(candidate);
    }
    if (byDirectory.IsSettled()) return &byDirectory.First();

    const int company = FindCompanyNameIndex(store, readers.CompanyName(path.c_str()));
    if (company != -1) {
        CandidateSelection byCompany;
        for (auto it = candidates.first; it != candidates.second; ++it)
            if (it->second.CompanyNameIndex == company) byCompany.Add(it->second);
        if (byCompany.IsSettled()) return &byCompany.First();
    }

    // The signer is the strongest fact: its first item answers, whatever
    // the descriptions say.
    const int signer = FindSignNameIndex(store, readers.SignerName(path.c_str()));
    if (signer == -1) return nullptr;
    for (auto it = candidates.first; it != candidates.second; ++it)
        if (it->second.SignNameIndex == signer) return &it->second;
    return nullptr;
}

int MatchProcessItem(const ProcessLibData& store, const std::wstring& path, ProcessItem& item,
                     const FileFactReaders& readers)
{
    const ProcessItem* chosen = FindProcessItem(store, path, readers);
    if (chosen == nullptr) return 0;
    item = *chosen;
    return 1;
}
