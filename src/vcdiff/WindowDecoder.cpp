#include "vcdiff/WindowDecoder.h"

#include <cstring>

#include "vcdiff/Format.h"
#include "vcdiff/Varint.h"

namespace appatlas {
namespace vcdiff {
namespace {

// Addresses span the source segment and the target window, each at most a
// 31-bit length.
constexpr uint64_t kMaxAddressVarint = 0xFFFFFFFF;

}  // namespace

void WindowDecoder::Begin(const uint8_t* source, size_t sourceLength, uint8_t* target, size_t targetLength)
{
    source_ = source;
    sourceLength_ = sourceLength;
    target_ = target;
    out_ = target;
    outEnd_ = target + targetLength;
    pendingOpcode_ = -1;
    cache_.Reset();
}

WindowDecoder::Result WindowDecoder::DecodeSections(Cursor instructions, Cursor data, Cursor addresses)
{
    Result result = Run<false>(instructions, data, addresses, true);
    if (result != Result::kDone)
        return result;
    bool allUsed = instructions.p == instructions.end && data.p == data.end && addresses.p == addresses.end;
    return allUsed ? Result::kDone : Result::kError;
}

WindowDecoder::Result WindowDecoder::DecodeInterleaved(const uint8_t** p, const uint8_t* end, bool sectionComplete)
{
    Cursor stream{*p, end};
    Result result = Run<true>(stream, stream, stream, sectionComplete);
    *p = stream.p;
    if (result == Result::kDone && !(sectionComplete && stream.p == end))
        return Result::kError;
    return result;
}

template <bool kInterleaved>
WindowDecoder::Result WindowDecoder::Run(Cursor& instructions, Cursor& data, Cursor& addresses, bool sectionComplete)
{
    // In an interleaved window the three cursors are one, so rewinding the
    // instruction cursor rewinds everything a half-read instruction took.
    const Result shortage = kInterleaved && !sectionComplete ? Result::kNeedMore : Result::kError;
    for (;;) {
        const uint8_t* mark = instructions.p;
        int opcode = pendingOpcode_;
        if (opcode < 0) {
            if (out_ == outEnd_)
                return Result::kDone;
            if (instructions.p == instructions.end)
                return shortage;
            opcode = *instructions.p++;
            Step step = Execute(table_.inst1[opcode], table_.size1[opcode], table_.mode1[opcode], instructions, data,
                addresses);
            if (step != Step::kOk) {
                instructions.p = mark;
                return step == Step::kShort ? shortage : Result::kError;
            }
            if (table_.inst2[opcode] == kNoop)
                continue;
            pendingOpcode_ = opcode;
            mark = instructions.p;
        }
        Step step = Execute(table_.inst2[opcode], table_.size2[opcode], table_.mode2[opcode], instructions, data,
            addresses);
        if (step != Step::kOk) {
            instructions.p = mark;
            return step == Step::kShort ? shortage : Result::kError;
        }
        pendingOpcode_ = -1;
    }
}

WindowDecoder::Step WindowDecoder::Execute(
    uint8_t type, uint8_t tableSize, uint8_t mode, Cursor& instructions, Cursor& data, Cursor& addresses)
{
    if (type == kNoop)
        return Step::kOk;
    uint64_t size = tableSize;
    if (size == 0) {
        switch (ReadVarint(&instructions.p, instructions.end, kMaxLengthVarint, &size)) {
        case VarintResult::kOk:
            break;
        case VarintResult::kNeedMore:
            return Step::kShort;
        case VarintResult::kInvalid:
            return Step::kError;
        }
    }
    if (size > static_cast<uint64_t>(outEnd_ - out_))
        return Step::kError;
    const size_t n = static_cast<size_t>(size);

    switch (type) {
    case kAdd:
        if (static_cast<size_t>(data.end - data.p) < n)
            return Step::kShort;
        std::memcpy(out_, data.p, n);
        data.p += n;
        out_ += n;
        return Step::kOk;
    case kRun:
        if (data.p == data.end)
            return Step::kShort;
        std::memset(out_, *data.p++, n);
        out_ += n;
        return Step::kOk;
    default:
        break;
    }

    const uint64_t here = sourceLength_ + static_cast<uint64_t>(out_ - target_);
    uint64_t address;
    if (cache_.IsSameMode(mode)) {
        if (addresses.p == addresses.end)
            return Step::kShort;
        address = cache_.Same(mode, *addresses.p++);
    } else {
        uint64_t value;
        switch (ReadVarint(&addresses.p, addresses.end, kMaxAddressVarint, &value)) {
        case VarintResult::kOk:
            break;
        case VarintResult::kNeedMore:
            return Step::kShort;
        case VarintResult::kInvalid:
            return Step::kError;
        }
        if (mode == AddressCache::kModeSelf) {
            address = value;
        } else if (mode == AddressCache::kModeHere) {
            if (value > here)
                return Step::kError;
            address = here - value;
        } else {
            address = cache_.Near(mode) + value;
        }
    }
    if (address >= here)
        return Step::kError;
    cache_.Update(address);
    Copy(address, n);
    return Step::kOk;
}

void WindowDecoder::Copy(uint64_t address, size_t size)
{
    if (address < sourceLength_) {
        size_t fromSource = static_cast<size_t>(sourceLength_ - address);
        if (fromSource > size)
            fromSource = size;
        std::memcpy(out_, source_ + address, fromSource);
        out_ += fromSource;
        size -= fromSource;
        address = sourceLength_;
        if (size == 0)
            return;
    }
    const uint8_t* from = target_ + (address - sourceLength_);
    // A copy may read bytes it is writing itself (a repeating pattern); copy
    // in pieces no longer than the distance, which doubles each time.
    while (size > 0) {
        size_t piece = static_cast<size_t>(out_ - from);
        if (piece > size)
            piece = size;
        std::memcpy(out_, from, piece);
        out_ += piece;
        size -= piece;
    }
}

}  // namespace vcdiff
}  // namespace appatlas
