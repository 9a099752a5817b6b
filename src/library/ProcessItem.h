#pragma once
#include <string>

// One process entry of a library. The defaults are those of an item that no
// document filled; the reader overwrites every field it creates.
struct ProcessItem {
    int Id = -1;
    std::wstring Name;  // lower-cased executable file name, the index key
    std::wstring DisplayName;
    std::wstring Description;
    int PathIndex = -1;
    int PathLevel = 0;  // carried, never interpreted
    int CompanyNameIndex = -1;
    int SignNameIndex = -1;
    int ProcessType = 0;
    int CanClose = 1;
    std::wstring SoftId;
};
