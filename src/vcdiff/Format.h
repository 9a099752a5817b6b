// Byte values of the VCDIFF container, shared by the decoder and the encoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace appatlas {
namespace vcdiff {

constexpr uint8_t kMagic[3] = {0xD6, 0xC3, 0xC4};
constexpr uint8_t kVersionStandard = 0x00;
// The extended format: interleaved windows and a checksum per window.
constexpr uint8_t kVersionExtended = 'S';

// Hdr_Indicator bits.
constexpr uint8_t kHdrDecompress = 0x01;
constexpr uint8_t kHdrCodeTable = 0x02;

// Win_Indicator bits.
constexpr uint8_t kWinSource = 0x01;
constexpr uint8_t kWinTarget = 0x02;
constexpr uint8_t kWinChecksum = 0x04;

// Delta_Indicator bits: secondary compression of one of the three sections.
constexpr uint8_t kDeltaCompressedSections = 0x07;

// Varints that carry lengths and positions are 31-bit quantities.
constexpr uint64_t kMaxLengthVarint = 0x7FFFFFFF;
constexpr uint64_t kMaxChecksumVarint = 0xFFFFFFFF;

}  // namespace vcdiff
}  // namespace appatlas
