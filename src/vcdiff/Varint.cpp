#include "vcdiff/Varint.h"

namespace appatlas {
namespace vcdiff {

VarintResult ReadVarint(const uint8_t** p, const uint8_t* end, uint64_t maxValue, uint64_t* value)
{
    uint64_t result = 0;
    for (const uint8_t* cursor = *p; cursor != end; ++cursor) {
        result = (result << 7) | (*cursor & 0x7F);
        if ((*cursor & 0x80) == 0) {
            if (result > maxValue)
                return VarintResult::kInvalid;
            *p = cursor + 1;
            *value = result;
            return VarintResult::kOk;
        }
        // Another byte follows, so the value will be at least result << 7.
        if (result > (maxValue >> 7))
            return VarintResult::kInvalid;
    }
    return VarintResult::kNeedMore;
}

size_t VarintLength(uint64_t value)
{
    size_t length = 1;
    while (value >>= 7)
        ++length;
    return length;
}

void WriteVarint(uint64_t value, std::string* out)
{
    char bytes[10];
    size_t n = sizeof bytes;
    bytes[--n] = static_cast<char>(value & 0x7F);
    while (value >>= 7)
        bytes[--n] = static_cast<char>(0x80 | (value & 0x7F));
    out->append(bytes + n, sizeof bytes - n);
}

}  // namespace vcdiff
}  // namespace appatlas
