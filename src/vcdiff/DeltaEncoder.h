// Makes a VCDIFF delta that rebuilds target from source.
#pragma once

#include <cstddef>
#include <string>

namespace appatlas {
namespace vcdiff {

struct EncodeOptions {
    // Adds an Adler-32 of every target window (the 'S' format), so that a
    // delta applied to the wrong source is refused rather than decoded.
    bool checksum = false;
    // Writes interleaved windows (the 'S' format), which a decoder can
    // decode as their bytes arrive.
    bool interleaved = false;
    // Target bytes per window; bounded so that other decoders' window
    // limits are respected.
    size_t windowSize = 8u << 20;
};

std::string EncodeDelta(const char* source, size_t sourceLength, const char* target, size_t targetLength,
    const EncodeOptions& options = EncodeOptions());

}  // namespace vcdiff
}  // namespace appatlas
