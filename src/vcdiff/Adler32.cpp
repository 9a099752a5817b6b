#include "vcdiff/Adler32.h"

namespace appatlas {
namespace vcdiff {

uint32_t Adler32(uint32_t start, const uint8_t* data, size_t length)
{
    constexpr uint32_t kModulus = 65521;
    // The largest run of bytes whose sums cannot overflow 32 bits before
    // the modulus has to be taken.
    constexpr size_t kBlock = 5552;
    uint32_t a = start & 0xFFFF;
    uint32_t b = start >> 16;
    while (length > 0) {
        size_t n = length < kBlock ? length : kBlock;
        length -= n;
        while (n--) {
            a += *data++;
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
    }
    return (b << 16) | a;
}

}  // namespace vcdiff
}  // namespace appatlas
