#pragma once
#include <windows.h>

#include <string>

// Version resources that windres cannot express: a CompanyName value given
// code unit by code unit with the length the resource states for it (so it
// may hold a NUL inside, or no NUL at all), followed by another value.
std::string CompanyNameResource(WORD language, WORD codePage, const std::wstring& value, WORD statedLength);

// Puts resource into the executable at path as its version resource.
void WriteVersionResource(const std::wstring& path, const std::string& resource);
