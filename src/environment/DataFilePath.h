#pragma once
#include "environment/BrandingInfo.h"

#include <windows.h>

#include <string>

// The full path of appatlas.dat in the installation's data directory, which
// is created (with its access list on older systems) when missing. Always a
// path: when no directory can be found it is "\appatlas.dat", and whether
// the file is usable shows when it is opened.
std::wstring ComposeDataFilePath();

// The same for a given branding and the module whose directory holds the
// fallback "Data" directory.
std::wstring ComposeDataFilePath(const BrandingInfo& branding, HMODULE module);
