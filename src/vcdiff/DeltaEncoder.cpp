#include "vcdiff/DeltaEncoder.h"

#include <algorithm>
#include <memory>

#include "vcdiff/Adler32.h"
#include "vcdiff/Format.h"
#include "vcdiff/HashIndex.h"
#include "vcdiff/InstructionWriter.h"
#include "vcdiff/Varint.h"

namespace appatlas {
namespace vcdiff {
namespace {

// Source blocks are long, so their index stays small for large sources;
// target keys are short, since the target's own repeats are often short.
constexpr size_t kSourceKey = 12;
constexpr size_t kTargetKey = 5;
constexpr size_t kMaxSourceEntries = size_t(1) << 22;
constexpr size_t kMinMatch = 4;
constexpr size_t kMinRun = 8;
// Past this length a match's inner positions are indexed sparsely: it is
// rare for a later match to need to start inside a long one.
constexpr size_t kDenseInsertLimit = 64;

class WindowEncoder {
public:
    WindowEncoder(const uint8_t* source, size_t sourceLength, const HashIndex* sourceIndex, bool interleaved)
        : source_(source), sourceLength_(sourceLength), sourceIndex_(sourceIndex), writer_(interleaved)
    {
    }

    // Encodes target[start, end); the window may copy from the whole
    // source and from itself.
    void Encode(const uint8_t* target, size_t start, size_t end, HashIndex* targetIndex);
    void Finish(std::string* data, std::string* instructions, std::string* addresses)
    {
        writer_.Finish(data, instructions, addresses);
    }

private:
    struct Match {
        size_t length = 0;
        size_t from = 0;     // position in source or target
        bool inSource = false;
    };

    void Consider(Match* best, size_t from, bool inSource, size_t length)
    {
        if (length > best->length) {
            best->length = length;
            best->from = from;
            best->inSource = inSource;
        }
    }

    const uint8_t* source_;
    size_t sourceLength_;
    const HashIndex* sourceIndex_;
    InstructionWriter writer_;
};

void WindowEncoder::Encode(const uint8_t* target, size_t start, size_t end, HashIndex* targetIndex)
{
    targetIndex->Clear();
    const size_t targetReach = targetIndex->Reach();
    size_t literalStart = start;
    size_t i = start;
    // Edits keep the rest of a file in place: after a source match, the
    // same offset is the first place to look again.
    bool haveOffset = false;
    int64_t offset = 0;

    while (i + kMinMatch <= end) {
        Match best;
        const size_t remaining = end - i;
        if (haveOffset) {
            int64_t from = static_cast<int64_t>(i) + offset;
            if (from >= 0 && static_cast<size_t>(from) < sourceLength_) {
                size_t f = static_cast<size_t>(from);
                Consider(&best, f, true, MatchLength(source_ + f, target + i, std::min(remaining, sourceLength_ - f)));
            }
        }
        if (sourceIndex_ && remaining >= sourceIndex_->Reach()) {
            size_t f = sourceIndex_->Find(target + i);
            if (f != HashIndex::kNone)
                Consider(&best, f, true, MatchLength(source_ + f, target + i, std::min(remaining, sourceLength_ - f)));
        }
        if (remaining >= targetReach) {
            size_t f = targetIndex->Find(target + i);
            if (f != HashIndex::kNone)
                Consider(&best, f, false, MatchLength(target + f, target + i, remaining));
            targetIndex->Insert(target + i, i);
        }

        const uint64_t windowBase = sourceLength_ - start;  // address of target position p is p + windowBase
        if (best.length >= kMinMatch) {
            // Grow the match backwards over literals not yet written.
            size_t from = best.from;
            size_t at = i;
            const size_t floor = best.inSource ? 0 : start;
            while (at > literalStart && from > floor && target[at - 1] == (best.inSource ? source_ : target)[from - 1]) {
                --at;
                --from;
                ++best.length;
            }
            const uint64_t address = best.inSource ? from : from + windowBase;
            const uint64_t here = at + windowBase;
            const size_t cost = 1 + writer_.AddressCost(address, here) + (best.length > 18 ? VarintLength(best.length) : 0);
            if (best.length > cost) {
                writer_.Add(target + literalStart, at - literalStart);
                writer_.Copy(address, best.length, here);
                const size_t matchEnd = at + best.length;
                const size_t step = best.length > kDenseInsertLimit ? 8 : 1;
                for (size_t p = i + 1; p + targetReach <= end && p < matchEnd; p += step)
                    targetIndex->Insert(target + p, p);
                if (best.inSource) {
                    haveOffset = true;
                    offset = static_cast<int64_t>(from) - static_cast<int64_t>(at);
                }
                i = matchEnd;
                literalStart = i;
                continue;
            }
        }

        size_t run = 1;
        while (run < remaining && target[i + run] == target[i])
            ++run;
        if (run >= kMinRun) {
            writer_.Add(target + literalStart, i - literalStart);
            writer_.Run(target[i], run);
            i += run;
            literalStart = i;
            continue;
        }
        ++i;
    }
    writer_.Add(target + literalStart, end - literalStart);
}

}  // namespace

std::string EncodeDelta(const char* sourceChars, size_t sourceLength, const char* targetChars, size_t targetLength,
    const EncodeOptions& options)
{
    const uint8_t* source = reinterpret_cast<const uint8_t*>(sourceChars);
    const uint8_t* target = reinterpret_cast<const uint8_t*>(targetChars);
    const bool extended = options.checksum || options.interleaved;
    const size_t windowSize = std::max<size_t>(options.windowSize, 1);

    std::string delta(reinterpret_cast<const char*>(kMagic), sizeof kMagic);
    delta.push_back(static_cast<char>(extended ? kVersionExtended : kVersionStandard));
    delta.push_back(0);  // Hdr_Indicator: default code table, no compression
    if (targetLength == 0)
        return delta;

    // The source is indexed at a stride that keeps the table bounded.
    std::unique_ptr<HashIndex> sourceIndex;
    if (sourceLength >= 16) {
        const size_t step = (sourceLength + kMaxSourceEntries - 1) / kMaxSourceEntries;
        sourceIndex.reset(new HashIndex(kSourceKey, sourceLength / step));
        for (size_t p = 0; p + sourceIndex->Reach() <= sourceLength; p += step)
            sourceIndex->Insert(source + p, p);
    }
    HashIndex targetIndex(kTargetKey, std::min(targetLength, windowSize));
    WindowEncoder encoder(source, sourceLength, sourceIndex.get(), options.interleaved);

    std::string data, instructions, addresses, body;
    for (size_t start = 0; start < targetLength; start += windowSize) {
        const size_t end = std::min(targetLength, start + windowSize);
        encoder.Encode(target, start, end, &targetIndex);
        encoder.Finish(&data, &instructions, &addresses);

        uint8_t indicator = 0;
        if (sourceLength > 0)
            indicator |= kWinSource;
        if (options.checksum)
            indicator |= kWinChecksum;
        body.clear();
        WriteVarint(end - start, &body);
        body.push_back(0);  // Delta_Indicator: no section is compressed
        WriteVarint(data.size(), &body);
        WriteVarint(instructions.size(), &body);
        WriteVarint(addresses.size(), &body);
        if (options.checksum)
            WriteVarint(Adler32(0, target + start, end - start), &body);

        delta.push_back(static_cast<char>(indicator));
        if (sourceLength > 0) {
            WriteVarint(sourceLength, &delta);
            WriteVarint(0, &delta);
        }
        WriteVarint(body.size() + data.size() + instructions.size() + addresses.size(), &delta);
        delta += body;
        delta += data;
        delta += instructions;
        delta += addresses;
    }
    return delta;
}

}  // namespace vcdiff
}  // namespace appatlas
