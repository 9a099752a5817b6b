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

}  // namespace

HashIndex::HashIndex(size_t keyLength, size_t capacityHint) : keyLength_(keyLength)
{
    // Little-endian loads: the key's bytes are a word's low bytes.
    auto mask = [](size_t bytes) { return bytes >= 8 ? ~uint64_t(0) : (uint64_t(1) << (8 * bytes)) - 1; };
    lowMask_ = mask(keyLength);
    highMask_ = keyLength > 8 ? mask(keyLength - 8) : 0;
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
