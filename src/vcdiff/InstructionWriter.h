// Turns a window's ADD, RUN and COPY instructions into the three sections
// of a VCDIFF window, using the default code table's combined opcodes where
// two neighbours fit one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "vcdiff/AddressCache.h"

namespace appatlas {
namespace vcdiff {

class InstructionWriter {
public:
    // interleaved: sizes, data and addresses go into the instruction stream
    // (the 'S' format's interleaved window).
    explicit InstructionWriter(bool interleaved);

    void Add(const uint8_t* bytes, size_t count);
    void Run(uint8_t byte, size_t count);
    // here: the address the COPY's output starts at.
    void Copy(uint64_t address, size_t count, uint64_t here);

    // Bytes the address of a COPY would take right now.
    size_t AddressCost(uint64_t address, uint64_t here) const;

    // Emits what is buffered and returns the window's sections; the writer
    // is then ready for the next window.
    void Finish(std::string* data, std::string* instructions, std::string* addresses);

private:
    struct Pending {
        uint8_t type = 0;
        size_t size = 0;
        unsigned mode = 0;
        uint64_t address = 0;
        const uint8_t* bytes = nullptr;
        uint8_t runByte = 0;
    };

    void Push(const Pending& next);
    void EmitSingle(const Pending& instruction);
    void EmitPayload(const Pending& instruction);

    bool interleaved_;
    AddressCache cache_;
    bool hasPending_ = false;
    Pending pending_;
    std::string data_;
    std::string instructions_;
    std::string addresses_;
};

}  // namespace vcdiff
}  // namespace appatlas
