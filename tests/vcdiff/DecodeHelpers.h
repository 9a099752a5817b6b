// Runs the streaming decoder the way its callers do.
#pragma once

#include <algorithm>
#include <string>

#include "StringSink.h"
#include "vcdiff/VCDiffStreamingDecoder.h"

namespace vcdiff_test {

// Decodes delta in chunks of chunkSize bytes; true when every call and the
// finish succeeded.
inline bool Decode(const std::string& dictionary, const std::string& delta, std::string* target,
    size_t chunkSize = std::string::npos)
{
    open_vcdiff::VCDiffStreamingDecoder decoder;
    StringSink sink;
    decoder.StartDecoding(dictionary.data(), dictionary.size());
    bool ok = true;
    for (size_t at = 0; ok && at < delta.size(); at += chunkSize) {
        size_t n = std::min(chunkSize, delta.size() - at);
        ok = decoder.DecodeChunkToInterface(delta.data() + at, n, &sink);
    }
    ok = ok && decoder.FinishDecoding();
    *target = sink.text;
    return ok;
}

}  // namespace vcdiff_test
