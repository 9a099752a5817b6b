// Adler-32 as zlib computes it; the extended format's window checksum is
// this function started from 0 rather than the customary 1.
#pragma once

#include <cstddef>
#include <cstdint>

namespace appatlas {
namespace vcdiff {

uint32_t Adler32(uint32_t start, const uint8_t* data, size_t length);

}  // namespace vcdiff
}  // namespace appatlas
