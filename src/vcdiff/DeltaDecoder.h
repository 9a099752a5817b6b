// Reads a VCDIFF delta, file header and windows, from bytes the caller
// buffers. It consumes only whole units (a header field, a standard window,
// an interleaved instruction), so the caller keeps what was not consumed
// and offers it again with more bytes behind it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "vcdiff/AddressCache.h"
#include "vcdiff/ByteBuffer.h"
#include "vcdiff/CodeTable.h"
#include "vcdiff/WindowDecoder.h"

namespace appatlas {
namespace vcdiff {

struct DecoderLimits {
    size_t maxTargetFileSize = 64u << 20;
    size_t maxTargetWindowSize = 64u << 20;
    bool allowTargetSource = true;
    // When non-zero, the target must reach exactly this size, and decoding
    // stops there, leaving any later bytes unconsumed.
    size_t plannedTargetSize = 0;
    // A custom code table is itself a delta; it may not bring another one.
    bool allowCustomCodeTable = true;
};

class DeltaDecoder {
public:
    enum class Status { kNeedMore, kDone, kError };

    DeltaDecoder(const uint8_t* dictionary, size_t dictionaryLength, const DecoderLimits& limits);
    ~DeltaDecoder();

    // Consumes what it can of [*p, end), advancing *p.
    Status Consume(const uint8_t** p, const uint8_t* end);

    // Fewer buffered bytes than this cannot make progress; the caller may
    // skip calling Consume until it has them.
    size_t BytesNeeded() const { return bytesNeeded_; }

    // True between units: no header or window is partly read.
    bool AtBoundary() const;

    const ByteBuffer& Target() const { return target_; }
    // Bytes of the target decoded so far, including an interleaved window's
    // decoded part.
    size_t Decoded() const;
    // End of the last window completed (and checksum-verified).
    size_t Committed() const { return target_.size(); }
    // Total size of the window being decoded, or 0 between windows.
    size_t WindowEnd() const { return inWindow_ ? windowStart_ + windowLength_ : 0; }

private:
    enum class State { kMagic, kHeaderIndicator, kCacheSizes, kCodeTable, kWindowHeader, kInterleavedBody, kDone, kError };

    struct WindowHeader;
    // What one unit's parse leads to.
    enum class Step { kContinue, kNeedMore, kError };

    Step Fail();
    Step NeedMore(const uint8_t* p, const uint8_t* end);
    Step ConsumeHeaderField(const uint8_t** p, const uint8_t* end);
    Step ConsumeCodeTable(const uint8_t** p, const uint8_t* end);
    Step ConsumeWindow(const uint8_t** p, const uint8_t* end);
    Step ConsumeInterleaved(const uint8_t** p, const uint8_t* end);
    Step ParseWindowHeader(const uint8_t** p, const uint8_t* end, WindowHeader* header);
    void BeginWindow(const WindowHeader& header);
    Step FinishWindow();

    const uint8_t* dictionary_;
    size_t dictionaryLength_;
    DecoderLimits limits_;
    State state_ = State::kMagic;
    unsigned magicRead_ = 0;
    bool extended_ = false;
    size_t bytesNeeded_ = 1;

    CodeTable customTable_;
    const CodeTable* table_ = &CodeTable::Default();
    uint8_t nearSize_ = AddressCache::kDefaultNearSize;
    uint8_t sameSize_ = AddressCache::kDefaultSameSize;
    std::unique_ptr<DeltaDecoder> tableDecoder_;
    std::unique_ptr<AddressCache> cache_;
    std::unique_ptr<WindowDecoder> window_;

    // The whole target decoded so far: VCD_TARGET windows copy from it.
    ByteBuffer target_;
    bool inWindow_ = false;
    size_t windowStart_ = 0;
    size_t windowLength_ = 0;
    size_t interleavedLeft_ = 0;
    bool hasChecksum_ = false;
    uint32_t checksum_ = 0;
};

}  // namespace vcdiff
}  // namespace appatlas
