// The instruction code table of RFC 3284 section 5: each opcode byte stands
// for one or two instructions, with sizes and address modes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace appatlas {
namespace vcdiff {

enum InstructionType : uint8_t { kNoop = 0, kAdd = 1, kRun = 2, kCopy = 3 };

struct CodeTable {
    // The serialised form (section 7) is these six arrays in this order.
    static constexpr size_t kSerializedSize = 6 * 256;

    uint8_t inst1[256];
    uint8_t inst2[256];
    uint8_t size1[256];
    uint8_t size2[256];
    uint8_t mode1[256];
    uint8_t mode2[256];

    static const CodeTable& Default();

    void Serialize(uint8_t* out) const;
    // Fails when an instruction type or a COPY mode is out of range for a
    // cache with modeCount address modes.
    bool Deserialize(const uint8_t* in, unsigned modeCount);
};

}  // namespace vcdiff
}  // namespace appatlas
