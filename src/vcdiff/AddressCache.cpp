#include "vcdiff/AddressCache.h"

#include <algorithm>

#include "vcdiff/Varint.h"

namespace appatlas {
namespace vcdiff {

AddressCache::AddressCache(uint8_t nearSize, uint8_t sameSize)
    : nearSize_(nearSize), sameSize_(sameSize), near_(nearSize), same_(sameSize * 256u)
{
}

void AddressCache::Reset()
{
    nextNear_ = 0;
    std::fill(near_.begin(), near_.end(), 0);
    std::fill(same_.begin(), same_.end(), 0);
}

void AddressCache::Update(uint64_t address)
{
    if (nearSize_ > 0) {
        near_[nextNear_] = address;
        nextNear_ = (nextNear_ + 1) % nearSize_;
    }
    if (sameSize_ > 0)
        same_[address % (sameSize_ * 256u)] = address;
}

unsigned AddressCache::BestMode(uint64_t address, uint64_t here, uint64_t* value) const
{
    if (sameSize_ > 0) {
        uint64_t slot = address % (sameSize_ * 256u);
        if (same_[slot] == address) {
            *value = slot % 256;
            return FirstSameMode() + static_cast<unsigned>(slot / 256);
        }
    }
    unsigned best = kModeSelf;
    uint64_t bestValue = address;
    size_t bestLength = VarintLength(address);
    auto consider = [&](unsigned mode, uint64_t candidate) {
        size_t length = VarintLength(candidate);
        if (length < bestLength) {
            best = mode;
            bestValue = candidate;
            bestLength = length;
        }
    };
    consider(kModeHere, here - address);
    for (unsigned i = 0; i < nearSize_; ++i) {
        if (address >= near_[i])
            consider(2 + i, address - near_[i]);
    }
    *value = bestValue;
    return best;
}

}  // namespace vcdiff
}  // namespace appatlas
