// libFuzzer entry: arbitrary bytes as a delta, against a fixed dictionary,
// fed in chunks whose sizes the input's first byte chooses.
#include <cstddef>
#include <cstdint>
#include <string>

#include "vcdiff/VCDiffStreamingDecoder.h"

namespace {

class CountingSink : public open_vcdiff::OutputStringInterface {
public:
    CountingSink& append(const char* s, size_t n) override
    {
        // Touch the bytes so that a bad pointer is caught here.
        for (size_t i = 0; i < n; i += 4096)
            sum_ += static_cast<unsigned char>(s[i]);
        size_ += n;
        return *this;
    }
    void clear() override { size_ = 0; }
    void push_back(char) override { ++size_; }
    void ReserveAdditionalBytes(size_t) override {}
    size_t size() const override { return size_; }

private:
    size_t size_ = 0;
    unsigned sum_ = 0;
};

const std::string& Dictionary()
{
    static const std::string dictionary = [] {
        std::string d;
        for (int i = 0; i < 5000; ++i)
            d += static_cast<char>((i * 131) ^ (i >> 3));
        return d;
    }();
    return dictionary;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t chunk = 1 + data[0] * 7;
    ++data;
    --size;
    open_vcdiff::VCDiffStreamingDecoder decoder;
    CountingSink sink;
    decoder.StartDecoding(Dictionary().data(), Dictionary().size());
    bool ok = true;
    for (size_t at = 0; ok && at < size; at += chunk) {
        size_t n = size - at < chunk ? size - at : chunk;
        ok = decoder.DecodeChunkToInterface(reinterpret_cast<const char*>(data) + at, n, &sink);
    }
    decoder.FinishDecoding();
    return 0;
}
