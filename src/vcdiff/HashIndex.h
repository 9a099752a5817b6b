// Where strings of a fixed length occurred: a hash table of positions, one
// per bucket, the encoder's way of finding COPY candidates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace appatlas {
namespace vcdiff {

class HashIndex {
public:
    static constexpr size_t kNone = SIZE_MAX;

    // keyLength: 4 to 16 bytes hashed at each position. The table has
    // about capacityHint buckets, a power of two within sensible bounds.
    HashIndex(size_t keyLength, size_t capacityHint);

    size_t KeyLength() const { return keyLength_; }
    // Bytes Insert and Find read at p: whole words, for speed.
    size_t Reach() const { return keyLength_ <= 8 ? 8 : 16; }
    // p must have Reach() readable bytes.
    void Insert(const uint8_t* p, size_t position) { table_[Hash(p)] = static_cast<uint32_t>(position + 1); }
    size_t Find(const uint8_t* p) const
    {
        uint32_t entry = table_[Hash(p)];
        return entry == 0 ? kNone : entry - 1;
    }
    void Clear();

private:
    static uint64_t Load64(const uint8_t* p)
    {
        uint64_t value;
        std::memcpy(&value, p, sizeof value);
        return value;
    }
    // Multiplicative hashing of one or two masked words; the top bits mix
    // every key bit.
    size_t Hash(const uint8_t* p) const
    {
        uint64_t h = (Load64(p) & lowMask_) * 0x9E3779B97F4A7C15ull;
        if (highMask_ != 0)
            h = (h ^ (Load64(p + 8) & highMask_) * 0xC2B2AE3D27D4EB4Full) * 0x165667B19E3779F9ull;
        return static_cast<size_t>(h >> shift_);
    }

    size_t keyLength_;
    uint64_t lowMask_;
    uint64_t highMask_;
    unsigned shift_;
    std::vector<uint32_t> table_;
};

// Length of the common prefix of a and b, at most limit bytes.
size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t limit);

}  // namespace vcdiff
}  // namespace appatlas
