#include "environment/BrandingInfo.h"

#include "environment/OemModule.h"

void BuildBrandingInfo(BrandingInfo& info)
{
    info = BrandingInfo();

    bool oemBranding = false;
    std::wstring key, product, third;
    if (LoadOemModule()) {
        int scratch = 0;
        oemBranding = QueryOemInt(&scratch) != -1;
        QueryOemString(kOemRegistryKeyId, key);
        QueryOemString(kOemProductNameId, product);
        QueryOemString(kOemThirdNameId, third);
    }

    if (oemBranding) {
        info.RegistryKey = L"SOFTWARE\\" + key;
        info.ProductName = product;
        info.ThirdBrandingName = third;
    }
}

namespace {

BrandingInfo Built()
{
    BrandingInfo info;
    BuildBrandingInfo(info);
    return info;
}

} // namespace

const BrandingInfo& GetBrandingInfo()
{
    // A function-local static: one-time initialisation that concurrent first
    // callers wait for, without the InitOnce API Windows XP lacks. Destroyed
    // when the module unloads.
    static const BrandingInfo info = Built();
    return info;
}
