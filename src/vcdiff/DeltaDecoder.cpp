#include "vcdiff/DeltaDecoder.h"

#include "vcdiff/Adler32.h"
#include "vcdiff/Format.h"
#include "vcdiff/Varint.h"

namespace appatlas {
namespace vcdiff {
namespace {

// A custom code table is a delta against the default table's bytes.
const uint8_t* DefaultTableBytes()
{
    static const struct Bytes {
        uint8_t data[CodeTable::kSerializedSize];
        Bytes() { CodeTable::Default().Serialize(data); }
    } bytes;
    return bytes.data;
}

}  // namespace

struct DeltaDecoder::WindowHeader {
    uint8_t indicator = 0;
    uint64_t segmentLength = 0;
    uint64_t segmentPosition = 0;
    uint64_t targetLength = 0;
    uint64_t dataLength = 0;
    uint64_t instructionsLength = 0;
    uint64_t addressesLength = 0;
    bool hasChecksum = false;
    uint32_t checksum = 0;
};

DeltaDecoder::DeltaDecoder(const uint8_t* dictionary, size_t dictionaryLength, const DecoderLimits& limits)
    : dictionary_(dictionary), dictionaryLength_(dictionaryLength), limits_(limits),
      cache_(new AddressCache()), window_(new WindowDecoder(*table_, *cache_))
{
}

DeltaDecoder::~DeltaDecoder() = default;

bool DeltaDecoder::AtBoundary() const
{
    return state_ == State::kWindowHeader || state_ == State::kDone || (state_ == State::kMagic && magicRead_ == 0);
}

size_t DeltaDecoder::Decoded() const
{
    return inWindow_ ? windowStart_ + window_->Produced() : target_.size();
}

DeltaDecoder::Status DeltaDecoder::Consume(const uint8_t** p, const uint8_t* end)
{
    for (;;) {
        Step step = Step::kError;
        switch (state_) {
        case State::kMagic:
        case State::kHeaderIndicator:
        case State::kCacheSizes:
            step = ConsumeHeaderField(p, end);
            break;
        case State::kCodeTable:
            step = ConsumeCodeTable(p, end);
            break;
        case State::kWindowHeader:
            step = ConsumeWindow(p, end);
            break;
        case State::kInterleavedBody:
            step = ConsumeInterleaved(p, end);
            break;
        case State::kDone:
            return Status::kDone;
        case State::kError:
            return Status::kError;
        }
        if (step == Step::kNeedMore)
            return Status::kNeedMore;
        if (step == Step::kError)
            return Status::kError;
    }
}

DeltaDecoder::Step DeltaDecoder::Fail()
{
    state_ = State::kError;
    return Step::kError;
}

DeltaDecoder::Step DeltaDecoder::NeedMore(const uint8_t* p, const uint8_t* end)
{
    bytesNeeded_ = static_cast<size_t>(end - p) + 1;
    return Step::kNeedMore;
}

DeltaDecoder::Step DeltaDecoder::ConsumeHeaderField(const uint8_t** p, const uint8_t* end)
{
    if (state_ == State::kMagic) {
        // Each byte is judged as it arrives, so a stream that is no delta at
        // all is refused at once.
        while (magicRead_ < 4) {
            if (*p == end)
                return NeedMore(*p, end);
            uint8_t byte = **p;
            if (magicRead_ < 3) {
                if (byte != kMagic[magicRead_])
                    return Fail();
            } else if (byte == kVersionExtended) {
                extended_ = true;
            } else if (byte != kVersionStandard) {
                return Fail();
            }
            ++*p;
            ++magicRead_;
        }
        state_ = State::kHeaderIndicator;
        return Step::kContinue;
    }
    if (state_ == State::kHeaderIndicator) {
        if (*p == end)
            return NeedMore(*p, end);
        uint8_t indicator = *(*p)++;
        if (indicator & kHdrDecompress)
            return Fail();
        if (indicator & kHdrCodeTable) {
            if (!limits_.allowCustomCodeTable)
                return Fail();
            state_ = State::kCacheSizes;
        } else {
            state_ = State::kWindowHeader;
        }
        return Step::kContinue;
    }
    // The two cache sizes that the custom table's modes are counted against.
    if (end - *p < 2)
        return NeedMore(*p, end);
    nearSize_ = (*p)[0];
    sameSize_ = (*p)[1];
    *p += 2;
    DecoderLimits nested;
    nested.maxTargetFileSize = CodeTable::kSerializedSize;
    nested.maxTargetWindowSize = CodeTable::kSerializedSize;
    nested.plannedTargetSize = CodeTable::kSerializedSize;
    nested.allowCustomCodeTable = false;
    tableDecoder_.reset(new DeltaDecoder(DefaultTableBytes(), CodeTable::kSerializedSize, nested));
    state_ = State::kCodeTable;
    return Step::kContinue;
}

DeltaDecoder::Step DeltaDecoder::ConsumeCodeTable(const uint8_t** p, const uint8_t* end)
{
    switch (tableDecoder_->Consume(p, end)) {
    case Status::kNeedMore:
        bytesNeeded_ = tableDecoder_->BytesNeeded();
        return Step::kNeedMore;
    case Status::kError:
        return Fail();
    case Status::kDone:
        break;
    }
    cache_.reset(new AddressCache(nearSize_, sameSize_));
    if (!customTable_.Deserialize(tableDecoder_->Target().data(), cache_->ModeCount()))
        return Fail();
    tableDecoder_.reset();
    table_ = &customTable_;
    window_.reset(new WindowDecoder(*table_, *cache_));
    state_ = State::kWindowHeader;
    return Step::kContinue;
}

DeltaDecoder::Step DeltaDecoder::ParseWindowHeader(const uint8_t** p, const uint8_t* end, WindowHeader* h)
{
    // Every field is checked as soon as it is read, so a bad window is
    // refused before the rest of it has arrived.
    const uint8_t* c = *p;
    bool invalid = false;
    auto varint = [&](uint64_t max, uint64_t* value) {
        VarintResult r = ReadVarint(&c, end, max, value);
        invalid = r == VarintResult::kInvalid;
        return r == VarintResult::kOk;
    };
#define APPATLAS_VCDIFF_READ(max, field) \
    if (!varint(max, field))             \
        return invalid ? Fail() : NeedMore(*p, end);

    if (c == end)
        return NeedMore(*p, end);
    h->indicator = *c++;
    const uint8_t sourceBits = h->indicator & (kWinSource | kWinTarget);
    if (sourceBits == (kWinSource | kWinTarget))
        return Fail();
    if ((sourceBits & kWinTarget) && !limits_.allowTargetSource)
        return Fail();
    if (sourceBits) {
        const uint64_t available = sourceBits == kWinSource ? dictionaryLength_ : target_.size();
        APPATLAS_VCDIFF_READ(kMaxLengthVarint, &h->segmentLength);
        if (h->segmentLength > available)
            return Fail();
        APPATLAS_VCDIFF_READ(kMaxLengthVarint, &h->segmentPosition);
        if (h->segmentPosition > available - h->segmentLength)
            return Fail();
    }
    uint64_t deltaLength;
    APPATLAS_VCDIFF_READ(kMaxLengthVarint, &deltaLength);
    const uint8_t* deltaStart = c;
    APPATLAS_VCDIFF_READ(kMaxLengthVarint, &h->targetLength);
    const uint64_t done = target_.size();
    if (h->targetLength > limits_.maxTargetWindowSize || h->targetLength > limits_.maxTargetFileSize - done)
        return Fail();
    if (limits_.plannedTargetSize != 0 && h->targetLength > limits_.plannedTargetSize - done)
        return Fail();
    if (c == end)
        return NeedMore(*p, end);
    if (*c++ & kDeltaCompressedSections)
        return Fail();
    APPATLAS_VCDIFF_READ(kMaxLengthVarint, &h->dataLength);
    APPATLAS_VCDIFF_READ(kMaxLengthVarint, &h->instructionsLength);
    APPATLAS_VCDIFF_READ(kMaxLengthVarint, &h->addressesLength);
    if (extended_ && (h->indicator & kWinChecksum)) {
        uint64_t checksum;
        APPATLAS_VCDIFF_READ(kMaxChecksumVarint, &checksum);
        h->hasChecksum = true;
        h->checksum = static_cast<uint32_t>(checksum);
    }
#undef APPATLAS_VCDIFF_READ
    // Each term is below 2^31, so the sum cannot overflow.
    const uint64_t headerLength = static_cast<uint64_t>(c - deltaStart);
    if (deltaLength != headerLength + h->dataLength + h->instructionsLength + h->addressesLength)
        return Fail();
    *p = c;
    return Step::kContinue;
}

void DeltaDecoder::BeginWindow(const WindowHeader& h)
{
    windowStart_ = target_.size();
    windowLength_ = static_cast<size_t>(h.targetLength);
    // Reserve first: the buffer may move, and a VCD_TARGET segment points
    // into it.
    target_.Reserve(windowStart_ + windowLength_, limits_.maxTargetFileSize);
    const uint8_t* source = nullptr;
    if (h.indicator & kWinSource)
        source = dictionary_ + h.segmentPosition;
    else if (h.indicator & kWinTarget)
        source = target_.data() + h.segmentPosition;
    window_->Begin(source, static_cast<size_t>(h.segmentLength), target_.data() + windowStart_, windowLength_);
    hasChecksum_ = h.hasChecksum;
    checksum_ = h.checksum;
    inWindow_ = true;
}

DeltaDecoder::Step DeltaDecoder::ConsumeWindow(const uint8_t** p, const uint8_t* end)
{
    if (*p == end)
        return NeedMore(*p, end);
    const uint8_t* c = *p;
    WindowHeader h;
    Step step = ParseWindowHeader(&c, end, &h);
    if (step != Step::kContinue)
        return step;

    if (extended_ && h.dataLength == 0 && h.addressesLength == 0) {
        *p = c;
        BeginWindow(h);
        interleavedLeft_ = static_cast<size_t>(h.instructionsLength);
        state_ = State::kInterleavedBody;
        return Step::kContinue;
    }

    // A standard window is decoded only once all of it is here.
    const uint64_t body = h.dataLength + h.instructionsLength + h.addressesLength;
    if (static_cast<uint64_t>(end - c) < body) {
        bytesNeeded_ = static_cast<size_t>((c - *p) + body);
        return Step::kNeedMore;
    }
    BeginWindow(h);
    const uint8_t* data = c;
    const uint8_t* instructions = data + h.dataLength;
    const uint8_t* addresses = instructions + h.instructionsLength;
    const uint8_t* windowEnd = addresses + h.addressesLength;
    WindowDecoder::Result result =
        window_->DecodeSections({instructions, addresses}, {data, instructions}, {addresses, windowEnd});
    if (result != WindowDecoder::Result::kDone)
        return Fail();
    *p = windowEnd;
    return FinishWindow();
}

DeltaDecoder::Step DeltaDecoder::ConsumeInterleaved(const uint8_t** p, const uint8_t* end)
{
    const size_t available = static_cast<size_t>(end - *p);
    const bool complete = available >= interleavedLeft_;
    const uint8_t* start = *p;
    WindowDecoder::Result result =
        window_->DecodeInterleaved(p, start + (complete ? interleavedLeft_ : available), complete);
    interleavedLeft_ -= static_cast<size_t>(*p - start);
    switch (result) {
    case WindowDecoder::Result::kError:
        return Fail();
    case WindowDecoder::Result::kNeedMore:
        return NeedMore(*p, end);
    case WindowDecoder::Result::kDone:
        break;
    }
    return FinishWindow();
}

DeltaDecoder::Step DeltaDecoder::FinishWindow()
{
    if (hasChecksum_ && Adler32(0, target_.data() + windowStart_, windowLength_) != checksum_)
        return Fail();
    target_.SetSize(windowStart_ + windowLength_);
    inWindow_ = false;
    bytesNeeded_ = 1;
    if (limits_.plannedTargetSize != 0 && target_.size() == limits_.plannedTargetSize)
        state_ = State::kDone;
    else
        state_ = State::kWindowHeader;
    return Step::kContinue;
}

}  // namespace vcdiff
}  // namespace appatlas
