// Runs the instructions of one target window: ADD, RUN and COPY into the
// window's place in the decoded target.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vcdiff/AddressCache.h"
#include "vcdiff/CodeTable.h"

namespace appatlas {
namespace vcdiff {

class WindowDecoder {
public:
    enum class Result { kDone, kNeedMore, kError };

    struct Cursor {
        const uint8_t* p;
        const uint8_t* end;
    };

    WindowDecoder(const CodeTable& table, AddressCache& cache) : table_(table), cache_(cache) {}

    // Starts a window. The source segment and the target window occupy one
    // address space, source first; target must have room for targetLength.
    void Begin(const uint8_t* source, size_t sourceLength, uint8_t* target, size_t targetLength);

    // A standard window: the three sections are all present. kDone means
    // the window is complete and every section was used up exactly.
    Result DecodeSections(Cursor instructions, Cursor data, Cursor addresses);

    // An interleaved window: instructions, sizes, data and addresses share
    // one stream, decoded as far as [*p, end) allows and *p advanced past
    // what was used. sectionComplete: end is the end of the section, so a
    // shortage is an error rather than a reason to wait.
    Result DecodeInterleaved(const uint8_t** p, const uint8_t* end, bool sectionComplete);

    size_t Produced() const { return static_cast<size_t>(out_ - target_); }

private:
    enum class Step { kOk, kShort, kError };

    template <bool kInterleaved>
    Result Run(Cursor& instructions, Cursor& data, Cursor& addresses, bool sectionComplete);
    Step Execute(uint8_t type, uint8_t size, uint8_t mode, Cursor& instructions, Cursor& data, Cursor& addresses);
    void Copy(uint64_t address, size_t size);

    const CodeTable& table_;
    AddressCache& cache_;
    const uint8_t* source_ = nullptr;
    size_t sourceLength_ = 0;
    uint8_t* target_ = nullptr;
    uint8_t* out_ = nullptr;
    uint8_t* outEnd_ = nullptr;
    // The opcode whose second instruction is still to run, or -1.
    int pendingOpcode_ = -1;
};

}  // namespace vcdiff
}  // namespace appatlas
