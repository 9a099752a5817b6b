#pragma once
#include <string>

// The module's own form of a query result, filled from a matched library
// item; handed to the host as a ProcessLibInfo copy (ProcessLibInfoCopy.h).
struct ProcessLibRecord {
    int Id = 0;
    std::wstring Name;
    std::wstring DisplayName;
    std::wstring Description;
    std::wstring Path;
    int Reserved = 0;
    std::wstring CompanyName;
    std::wstring SignName;
    std::wstring SoftId;
    int ProcessType = 0;
    int CanClose = 1;
};
