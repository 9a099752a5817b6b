#include "identify/FileSignerName.h"

#include "identify/SignatureVerification.h"
#include "identify/SignerNameCache.h"

std::wstring GetFileSignerName(const wchar_t* path)
{
    // Bound for this call only; a failed load is retried by the steps that
    // need the module.
    WinMod::CWinModule_wintrust wintrust;
    wintrust.EnsureLoaded();

    std::wstring name;
    if (TheSignerNameCache().Find(path, name)) return name;

    SignerNames names;
    if (VerifyFileSignature(path, wintrust, names) == 0 && !names.empty()) name = names.front();
    TheSignerNameCache().Store(path, name);
    return name;
}
