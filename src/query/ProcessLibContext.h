#pragma once
#include "library/ProcessLibData.h"
#include "query/ProcessLibRecord.h"

#include <memory>
#include <string>

// What one load attempt of a query object owns: the data file path it used
// and the store it filled.
class ProcessLibContext {
public:
    ProcessLibContext();
    ProcessLibContext(const ProcessLibContext&) = delete;
    ProcessLibContext& operator=(const ProcessLibContext&) = delete;

    // Loads the library at path, or at the installation's default location
    // when path is null. Nonzero on success.
    int Load(const wchar_t* path);

    // Fills record from the library item that matches exePath; 1 on a match,
    // else 0 with record untouched.
    int FillProcessInfo(const wchar_t* exePath, ProcessLibRecord& record) const;

    std::wstring LibraryPath;
    std::unique_ptr<ProcessLibData> Store;
};
