#pragma once
#include <string>

// Access to the optional OEM DLL "brandhub.dll" beside the host executable.
// Its exports, looked up by name and called with the __stdcall convention:
//   int QueryOEMInt(int id, int* value)
//   int QueryOEMStrW(int id, wchar_t* buffer, unsigned int* size)
// Every lookup and call is serialised across threads and processes by the
// named event "{2C7E5B90-D14A-4f3b-8A6C-0E9F13D27B58}oem", created when this
// module is loaded and kept for the life of the process.

// The OEM integer and string ids this module asks for.
const int kOemBrandingOnId = 13;
const int kOemRegistryKeyId = 12;
const int kOemProductNameId = 14;
const int kOemThirdNameId = 15;

// Strings the OEM DLL reports as longer than this (terminator included) are
// refused rather than allocated.
const unsigned int kMaxOemStringChars = 32767;

// Loads brandhub.dll from the host executable's directory unless already
// loaded; true when it is loaded. Takes no lock. The DLL is never unloaded.
bool LoadOemModule();

// QueryOEMInt with id 13 and value, or 0 when the export is missing.
int QueryOemInt(int* value);

// QueryOEMStrW for id: true with out set on success, false with out
// unchanged otherwise.
bool QueryOemString(int id, std::wstring& out);
