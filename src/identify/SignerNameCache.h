#pragma once
#include "identify/CriticalSection.h"

#include <map>
#include <string>

// Signer names found per path, exactly as the caller spelled the path, for
// the life of the module. Empty names are answers too. The lock is held only
// for a lookup or a store, never while a signature is verified.
class SignerNameCache {
public:
    // True with the stored name when path has an answer.
    bool Find(const std::wstring& path, std::wstring& name);
    // Stores name under path, replacing what another thread stored meanwhile.
    void Store(const std::wstring& path, const std::wstring& name);

private:
    CriticalSection lock_;
    std::map<std::wstring, std::wstring> names_;
};

// The process-wide cache, built when the module is loaded and destroyed when
// it is unloaded.
SignerNameCache& TheSignerNameCache();
