#include "vcdiff/HashIndex.h"

#include <algorithm>
#include <cstring>

namespace appatlas {
namespace vcdiff {
namespace {

constexpr unsigned kMinBits = 10;
constexpr unsigned kMaxBits = 22;

uint64_t Load64(const uint8_t* p)
{
    uint64_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

uint64_t LoadPartial(const uint8_t* p, size_t length)
{
    uint64_t value = 0;
    std::memcpy(&value, p, length);
    return value;
}

}  // namespace

HashIndex::HashIndex(size_t keyLength, size_t capacityHint) : keyLength_(keyLength)
{
    unsigned bits = kMinBits;
    while (bits < kMaxBits && (size_t(1) << bits) < capacityHint)
        ++bits;
    shift_ = 64 - bits;
    table_.assign(size_t(1) << bits, 0);
}

void HashIndex::Clear()
{
    std::fill(table_.begin(), table_.end(), 0);
}

size_t HashIndex::Hash(const uint8_t* p) const
{
    // Multiplicative hashing of up to two 8-byte words; the top bits mix
    // every input bit.
    uint64_t h;
    if (keyLength_ <= 8) {
        h = LoadPartial(p, keyLength_) * 0x9E3779B97F4A7C15ull;
    } else {
        h = Load64(p) * 0x9E3779B97F4A7C15ull;
        h ^= LoadPartial(p + 8, keyLength_ - 8) * 0xC2B2AE3D27D4EB4Full;
        h *= 0x165667B19E3779F9ull;
    }
    return static_cast<size_t>(h >> shift_);
}

size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t limit)
{
    size_t n = 0;
    while (n + 8 <= limit) {
        uint64_t diff = Load64(a + n) ^ Load64(b + n);
        if (diff != 0) {
            // Byte order: the first differing byte is the lowest set byte
            // on little-endian machines, which all our targets are.
            return n + static_cast<size_t>(__builtin_ctzll(diff) / 8);
        }
        n += 8;
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

}  // namespace vcdiff
}  // namespace appatlas
