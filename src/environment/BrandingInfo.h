#pragma once
#include <string>

// What identifies the installation: its key below HKEY_LOCAL_MACHINE, a
// product name and a third branding name. Built-in defaults, or what the
// OEM DLL says when it turns OEM branding on.
struct BrandingInfo {
    std::wstring RegistryKey = L"SOFTWARE\\Norvane\\Quillo";
    std::wstring ProductName = L"Quillo";
    std::wstring ThirdBrandingName = L"TrovaRecycle";
};

// Fills info from the defaults and the OEM DLL. The three OEM strings are
// asked for whenever the DLL loads, even when branding turns out off.
void BuildBrandingInfo(BrandingInfo& info);

// The process-wide record, built on the first call and never rebuilt.
const BrandingInfo& GetBrandingInfo();
