// Writes the fuzzer's seed corpus: real deltas of each kind our decoder
// reads, against the fuzzer's dictionary. Each file starts with the byte
// that picks the chunk size.
#include <cstdio>
#include <string>

#include "vcdiff/CodeTable.h"
#include "vcdiff/DeltaEncoder.h"

using appatlas::vcdiff::EncodeDelta;
using appatlas::vcdiff::EncodeOptions;

static void Write(const std::string& dir, const char* name, char chunkByte, const std::string& delta)
{
    std::string path = dir + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fputc(chunkByte, f);
    std::fwrite(delta.data(), 1, delta.size(), f);
    std::fclose(f);
}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string dir = argv[1];
    std::string dictionary;
    for (int i = 0; i < 5000; ++i)
        dictionary += static_cast<char>((i * 131) ^ (i >> 3));
    std::string target = dictionary.substr(100, 900) + "a change" + dictionary.substr(1200, 2000) +
        std::string(300, 'r') + dictionary.substr(10, 700);
    target += target.substr(50, 600);

    EncodeOptions standard;
    standard.windowSize = 1500;
    EncodeOptions checksummed = standard;
    checksummed.checksum = true;
    EncodeOptions interleaved = checksummed;
    interleaved.interleaved = true;
    auto encode = [&](const EncodeOptions& options) {
        return EncodeDelta(dictionary.data(), dictionary.size(), target.data(), target.size(), options);
    };
    Write(dir, "standard", 0, encode(standard));
    Write(dir, "standard-small-chunks", 1, encode(standard));
    Write(dir, "checksum", 5, encode(checksummed));
    Write(dir, "interleaved", 0, encode(interleaved));
    Write(dir, "interleaved-small-chunks", 2, encode(interleaved));

    std::string defaultTable(appatlas::vcdiff::CodeTable::kSerializedSize, '\0');
    appatlas::vcdiff::CodeTable::Default().Serialize(reinterpret_cast<uint8_t*>(&defaultTable[0]));
    appatlas::vcdiff::CodeTable custom = appatlas::vcdiff::CodeTable::Default();
    custom.size1[2] = 30;
    std::string customTable(defaultTable.size(), '\0');
    custom.Serialize(reinterpret_cast<uint8_t*>(&customTable[0]));
    std::string withTable = std::string("\xD6\xC3\xC4\x00\x02\x04\x03", 7) +
        EncodeDelta(defaultTable.data(), defaultTable.size(), customTable.data(), customTable.size());
    std::string body = encode(standard);
    Write(dir, "custom-table", 0, withTable + body.substr(5));
    return 0;
}
