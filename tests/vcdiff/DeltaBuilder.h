// Hand-made deltas for the decoder's tests: every field spelt out, so a
// test can break exactly one of them.
#pragma once

#include <cstdint>
#include <string>

#include "vcdiff/Varint.h"

namespace vcdiff_test {

inline std::string Varint(uint64_t value)
{
    std::string out;
    appatlas::vcdiff::WriteVarint(value, &out);
    return out;
}

inline std::string FileHeader(char version = 0, uint8_t indicator = 0)
{
    return std::string("\xD6\xC3\xC4", 3) + version + static_cast<char>(indicator);
}

struct Window {
    uint8_t indicator = 0;
    uint64_t segmentLength = 0;
    uint64_t segmentPosition = 0;
    uint64_t targetLength = 0;
    uint8_t deltaIndicator = 0;
    std::string data;
    std::string instructions;
    std::string addresses;
    // Written after the three lengths when set (the 'S' checksum).
    bool writeChecksum = false;
    uint32_t checksum = 0;
    // Added to the correct delta encoding length.
    int64_t lengthError = 0;

    std::string Bytes() const
    {
        std::string body = Varint(targetLength);
        body += static_cast<char>(deltaIndicator);
        body += Varint(data.size()) + Varint(instructions.size()) + Varint(addresses.size());
        if (writeChecksum)
            body += Varint(checksum);
        body += data + instructions + addresses;
        std::string out(1, static_cast<char>(indicator));
        if (indicator & 3)
            out += Varint(segmentLength) + Varint(segmentPosition);
        out += Varint(static_cast<uint64_t>(static_cast<int64_t>(body.size()) + lengthError));
        return out + body;
    }
};

// Opcodes of the default code table used by the tests.
constexpr char kRunOp = 0;        // RUN, size follows
constexpr char kAddOp = 1;        // ADD, size follows
inline char AddOp(int size) { return static_cast<char>(1 + size); }            // 1..17
inline char CopyOp(int mode) { return static_cast<char>(19 + 16 * mode); }     // size follows
inline char CopyOp(int mode, int size) { return static_cast<char>(19 + 16 * mode + size - 3); }  // 4..18

}  // namespace vcdiff_test
