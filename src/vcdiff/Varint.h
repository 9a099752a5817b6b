// The big-endian base-128 integers of RFC 3284 section 2.
#pragma once

#include <cstdint>
#include <string>

namespace appatlas {
namespace vcdiff {

enum class VarintResult { kOk, kNeedMore, kInvalid };

// Reads one integer from [*p, end). On kOk, *p moves past it; otherwise *p
// is unchanged. A value above maxValue is kInvalid as soon as it is known.
VarintResult ReadVarint(const uint8_t** p, const uint8_t* end, uint64_t maxValue, uint64_t* value);

// Number of bytes WriteVarint produces for value.
size_t VarintLength(uint64_t value);

void WriteVarint(uint64_t value, std::string* out);

}  // namespace vcdiff
}  // namespace appatlas
