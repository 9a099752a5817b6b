// The near and same address caches of RFC 3284 section 5.3, which both the
// decoder and the encoder keep in step, reset at every window.
#pragma once

#include <cstdint>
#include <vector>

namespace appatlas {
namespace vcdiff {

class AddressCache {
public:
    static constexpr uint8_t kDefaultNearSize = 4;
    static constexpr uint8_t kDefaultSameSize = 3;
    static constexpr unsigned kModeSelf = 0;
    static constexpr unsigned kModeHere = 1;

    AddressCache(uint8_t nearSize = kDefaultNearSize, uint8_t sameSize = kDefaultSameSize);

    void Reset();
    unsigned ModeCount() const { return 2u + nearSize_ + sameSize_; }
    unsigned FirstSameMode() const { return 2u + nearSize_; }
    bool IsSameMode(unsigned mode) const { return mode >= FirstSameMode(); }

    uint64_t Near(unsigned mode) const { return near_[mode - 2]; }
    uint64_t Same(unsigned mode, uint8_t slot) const
    {
        return same_[(mode - FirstSameMode()) * 256u + slot];
    }

    // Records a COPY address, as both sides must after every COPY.
    void Update(uint64_t address);

    // The encoder's choice: the mode whose encoded value is shortest.
    // *value is the varint to write, or the byte for a same-cache mode.
    unsigned BestMode(uint64_t address, uint64_t here, uint64_t* value) const;

private:
    uint8_t nearSize_;
    uint8_t sameSize_;
    unsigned nextNear_ = 0;
    std::vector<uint64_t> near_;
    std::vector<uint64_t> same_;
};

}  // namespace vcdiff
}  // namespace appatlas
