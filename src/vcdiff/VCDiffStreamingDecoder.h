// Decodes a VCDIFF delta (RFC 3284, or its 'S' extension) against a
// dictionary, taking the delta in chunks of any size.
#pragma once

#include <cstddef>

#include "vcdiff/OutputStringInterface.h"

#ifdef APPATLAS_VCDIFF_SYSTEM
#include <google/vcdecoder.h>
#else

#include <memory>

namespace open_vcdiff {

class VCDiffStreamingDecoder {
public:
    VCDiffStreamingDecoder();
    ~VCDiffStreamingDecoder();
    VCDiffStreamingDecoder(const VCDiffStreamingDecoder&) = delete;
    VCDiffStreamingDecoder& operator=(const VCDiffStreamingDecoder&) = delete;

    // Begins a delta. The dictionary is not copied and must outlive the
    // decoding.
    void StartDecoding(const char* dictionary_ptr, size_t dictionary_size);

    // Decodes what it can of the chunk. Before it returns, every target byte
    // decoded so far and not yet handed over is appended to output. False
    // on any fault in the delta; after one, every call fails until the next
    // StartDecoding.
    bool DecodeChunkToInterface(const char* data, size_t len, OutputStringInterface* output);

    // True when the delta ended at a boundary: after the file header and a
    // whole number of windows, or with no input at all.
    bool FinishDecoding();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace open_vcdiff

#endif
