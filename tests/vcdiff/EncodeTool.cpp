// vcdiff-encode OLD NEW OUT [--checksum]: our encoder as a program, for the
// test that has xdelta3 decode its deltas.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "vcdiff/DeltaEncoder.h"

namespace {

bool ReadAll(const char* path, std::string* bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5 || (argc == 5 && std::strcmp(argv[4], "--checksum") != 0)) {
        std::fprintf(stderr, "usage: vcdiff-encode OLD NEW OUT [--checksum]\n");
        return 2;
    }
    std::string source, target;
    if (!ReadAll(argv[1], &source) || !ReadAll(argv[2], &target)) {
        std::fprintf(stderr, "vcdiff-encode: cannot read input\n");
        return 1;
    }
    appatlas::vcdiff::EncodeOptions options;
    options.checksum = argc == 5;
    const std::string delta =
        appatlas::vcdiff::EncodeDelta(source.data(), source.size(), target.data(), target.size(), options);
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(delta.data(), static_cast<std::streamsize>(delta.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "vcdiff-encode: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
