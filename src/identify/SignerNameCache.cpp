#include "identify/SignerNameCache.h"

namespace {

// A namespace-scope object, so it exists from module load to unload rather
// than from first use.
SignerNameCache g_signerNames;

} // namespace

bool SignerNameCache::Find(const std::wstring& path, std::wstring& name)
{
    CriticalSectionLock lock(lock_);
    const auto found = names_.find(path);
    if (found == names_.end()) return false;
    name = found->second;
    return true;
}

void SignerNameCache::Store(const std::wstring& path, const std::wstring& name)
{
    CriticalSectionLock lock(lock_);
    names_[path] = name;
}

SignerNameCache& TheSignerNameCache()
{
    return g_signerNames;
}
