#include "vcdiff/VCDiffStreamingDecoder.h"

#include <new>

#include "vcdiff/ByteBuffer.h"
#include "vcdiff/DeltaDecoder.h"

namespace open_vcdiff {

using appatlas::vcdiff::ByteBuffer;
using appatlas::vcdiff::DecoderLimits;
using appatlas::vcdiff::DeltaDecoder;

class VCDiffStreamingDecoder::Impl {
public:
    Impl(const char* dictionary, size_t length)
        : decoder_(reinterpret_cast<const uint8_t*>(dictionary), length, DecoderLimits())
    {
    }

    bool Decode(const uint8_t* data, size_t length, OutputStringInterface* output);
    bool Finish() { return !failed_ && pending_.empty() && decoder_.AtBoundary(); }

private:
    void HandOver(size_t upTo, OutputStringInterface* output);

    DeltaDecoder decoder_;
    // Input that did not yet make a whole unit.
    ByteBuffer pending_;
    size_t handedOver_ = 0;
    size_t reservedFor_ = 0;
    bool failed_ = false;
};

bool VCDiffStreamingDecoder::Impl::Decode(const uint8_t* data, size_t length, OutputStringInterface* output)
{
    if (failed_)
        return false;
    DeltaDecoder::Status status = DeltaDecoder::Status::kNeedMore;
    if (pending_.empty()) {
        // The usual case: decode straight from the caller's chunk, keeping
        // only an unfinished tail.
        const uint8_t* p = data;
        status = decoder_.Consume(&p, data + length);
        if (status == DeltaDecoder::Status::kNeedMore)
            pending_.Append(p, static_cast<size_t>(data + length - p));
    } else {
        pending_.Append(data, length);
        if (pending_.size() >= decoder_.BytesNeeded()) {
            const uint8_t* p = pending_.data();
            status = decoder_.Consume(&p, pending_.data() + pending_.size());
            pending_.Consume(static_cast<size_t>(p - pending_.data()));
        }
    }
    failed_ = status != DeltaDecoder::Status::kNeedMore;
    HandOver(failed_ ? decoder_.Committed() : decoder_.Decoded(), output);
    if (failed_)
        pending_.Release();
    return !failed_;
}

void VCDiffStreamingDecoder::Impl::HandOver(size_t upTo, OutputStringInterface* output)
{
    if (upTo <= handedOver_)
        return;
    const size_t windowEnd = decoder_.WindowEnd();
    if (upTo < windowEnd && reservedFor_ != windowEnd) {
        output->ReserveAdditionalBytes(windowEnd - handedOver_);
        reservedFor_ = windowEnd;
    }
    output->append(reinterpret_cast<const char*>(decoder_.Target().data()) + handedOver_, upTo - handedOver_);
    handedOver_ = upTo;
}

VCDiffStreamingDecoder::VCDiffStreamingDecoder() = default;
VCDiffStreamingDecoder::~VCDiffStreamingDecoder() = default;

void VCDiffStreamingDecoder::StartDecoding(const char* dictionary_ptr, size_t dictionary_size)
{
    impl_.reset();
    try {
        impl_.reset(new Impl(dictionary_ptr, dictionary_size));
    } catch (const std::bad_alloc&) {
        // DecodeChunkToInterface then fails, the only report there is.
    }
}

bool VCDiffStreamingDecoder::DecodeChunkToInterface(const char* data, size_t len, OutputStringInterface* output)
{
    if (!impl_ || !output || (!data && len > 0))
        return false;
    try {
        return impl_->Decode(reinterpret_cast<const uint8_t*>(data), len, output);
    } catch (const std::bad_alloc&) {
        impl_.reset();
        return false;
    }
}

bool VCDiffStreamingDecoder::FinishDecoding()
{
    bool ok = impl_ && impl_->Finish();
    impl_.reset();
    return ok;
}

}  // namespace open_vcdiff
