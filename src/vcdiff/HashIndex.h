// Where strings of a fixed length occurred: a hash table of positions, one
// per bucket, the encoder's way of finding COPY candidates.
#pragma once

#include <cstddef>
#include <cstdint>
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
    // p must have KeyLength() readable bytes.
    void Insert(const uint8_t* p, size_t position) { table_[Hash(p)] = static_cast<uint32_t>(position + 1); }
    size_t Find(const uint8_t* p) const
    {
        uint32_t entry = table_[Hash(p)];
        return entry == 0 ? kNone : entry - 1;
    }
    void Clear();

private:
    size_t Hash(const uint8_t* p) const;

    size_t keyLength_;
    unsigned shift_;
    std::vector<uint32_t> table_;
};

// Length of the common prefix of a and b, at most limit bytes.
size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t limit);

}  // namespace vcdiff
}  // namespace appatlas
