// vcdiff-bench encode OLD NEW OUT [WINDOW] | decode OLD DELTA OUT
// Our encoder and decoder as programs, timed from outside like xdelta3.
// The decoder writes every append straight to the file, as the product's
// sink does.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vcdiff/DeltaEncoder.h"
#include "vcdiff/VCDiffStreamingDecoder.h"

namespace {

bool ReadAll(const char* path, std::string* bytes)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    bytes->resize(size > 0 ? static_cast<size_t>(size) : 0);
    bool ok = size >= 0 && std::fread(&(*bytes)[0], 1, bytes->size(), f) == bytes->size();
    std::fclose(f);
    return ok;
}

class FileSink : public open_vcdiff::OutputStringInterface {
public:
    explicit FileSink(FILE* f) : f_(f) {}
    FileSink& append(const char* s, size_t n) override
    {
        ok_ = ok_ && std::fwrite(s, 1, n, f_) == n;
        size_ += n;
        return *this;
    }
    void clear() override {}
    void push_back(char c) override { append(&c, 1); }
    void ReserveAdditionalBytes(size_t) override {}
    size_t size() const override { return size_; }
    bool ok() const { return ok_; }

private:
    FILE* f_;
    size_t size_ = 0;
    bool ok_ = true;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: vcdiff-bench encode OLD NEW OUT [WINDOW] | decode OLD DELTA OUT\n");
        return 2;
    }
    std::string source, input;
    if (!ReadAll(argv[2], &source) || !ReadAll(argv[3], &input))
        return 1;
    FILE* out = std::fopen(argv[4], "wb");
    if (!out)
        return 1;
    // Unbuffered: one write per append, no buffer of our own.
    std::setvbuf(out, nullptr, _IONBF, 0);
    bool ok;
    if (std::strcmp(argv[1], "encode") == 0) {
        appatlas::vcdiff::EncodeOptions options;
        if (argc > 5)
            options.windowSize = std::strtoul(argv[5], nullptr, 10);
        std::string delta =
            appatlas::vcdiff::EncodeDelta(source.data(), source.size(), input.data(), input.size(), options);
        ok = std::fwrite(delta.data(), 1, delta.size(), out) == delta.size();
    } else {
        open_vcdiff::VCDiffStreamingDecoder decoder;
        FileSink sink(out);
        decoder.StartDecoding(source.data(), source.size());
        ok = true;
        const size_t kChunk = 16384;
        for (size_t at = 0; ok && at < input.size(); at += kChunk) {
            size_t n = input.size() - at < kChunk ? input.size() - at : kChunk;
            ok = decoder.DecodeChunkToInterface(input.data() + at, n, &sink);
        }
        ok = ok && decoder.FinishDecoding() && sink.ok();
    }
    ok = std::fclose(out) == 0 && ok;
    return ok ? 0 : 1;
}
