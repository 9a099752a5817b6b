#pragma once
#include "library/ProcessLibData.h"

#include <string>

// Where the matcher learns facts about the file itself. The defaults read the
// version resource and the signature; tests substitute their own to observe
// which stages ran.
struct FileFactReaders {
    std::wstring (*CompanyName)(const wchar_t* path);
    std::wstring (*SignerName)(const wchar_t* path);
};
extern const FileFactReaders kFileFactReaders;

// Picks the library item for an executable path among the items filed under
// its lower-cased file name, by directory, then company, then signer; each
// stage starts again from all of those items, and the costlier facts are read
// only when the cheaper stage leaves the choice open. 1 with a copy of the
// chosen item in item; 0 with item untouched.
int MatchProcessItem(const ProcessLibData& store, const std::wstring& path, ProcessItem& item,
                     const FileFactReaders& readers = kFileFactReaders);

// The same choice without the copy: the chosen item inside the store, or
// null.
const ProcessItem* FindProcessItem(const ProcessLibData& store, const std::wstring& path,
                                   const FileFactReaders& readers = kFileFactReaders);

// The smallest id whose text equals text ignoring the case of A-Z, or -1.
// A later id with an equal text is never found.
int FindCompanyNameIndex(const ProcessLibData& store, const std::wstring& text);
int FindSignNameIndex(const ProcessLibData& store, const std::wstring& text);
