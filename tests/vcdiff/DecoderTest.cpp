// The streaming decoder against hand-made deltas: instructions and address
// modes, the refusals, the limits, checksums and custom code tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DecodeHelpers.h"
#include "DeltaBuilder.h"
#include "vcdiff/Adler32.h"
#include "vcdiff/CodeTable.h"
#include "vcdiff/DeltaEncoder.h"

using namespace vcdiff_test;

namespace {

std::string Source300()
{
    std::string s;
    for (int i = 0; i < 300; ++i)
        s += static_cast<char>('a' + i % 26);
    return s;
}

// One window that exercises ADD, RUN, COPY in every default address mode,
// the combined opcodes, overlapping copies and a copy spanning the source
// and the target. expected is built alongside from the address space.
struct ModeDelta {
    std::string source = Source300();
    std::string target;
    std::string delta;

    ModeDelta()
    {
        Window w;
        w.indicator = 0x01;
        w.segmentLength = source.size();
        auto add = [&](const std::string& bytes, bool sizeInTable = true) {
            if (sizeInTable) {
                w.instructions += AddOp(static_cast<int>(bytes.size()));
            } else {
                w.instructions += kAddOp;
                w.instructions += Varint(bytes.size());
            }
            w.data += bytes;
            target += bytes;
        };
        auto copy = [&](int mode, const std::string& address, uint64_t decoded, int size) {
            w.instructions += CopyOp(mode, size);
            w.addresses += address;
            for (int i = 0; i < size; ++i) {
                uint64_t a = decoded + i;
                target += a < source.size() ? source[a] : target[a - source.size()];
            }
        };
        add("XYZ");
        copy(0, Varint(290), 290, 5);                  // SELF
        copy(1, Varint(8), 300, 4);                    // HERE: 308 - 8
        copy(2, Varint(3), 293, 4);                    // near[0] = 290
        copy(3, Varint(1), 301, 4);                    // near[1] = 300
        copy(4, Varint(0), 293, 4);                    // near[2] = 293
        copy(5, Varint(2), 303, 4);                    // near[3] = 301
        copy(7, std::string(1, 34), 290, 4);           // same, 290 = 256 + 34
        copy(0, Varint(10), 10, 4);
        copy(6, std::string(1, 10), 10, 4);            // same, slot 10
        w.instructions += kRunOp;
        w.instructions += Varint(5);
        w.data += '#';
        target += "#####";
        add("ab");
        copy(1, Varint(2), source.size() + target.size() - 2, 7);  // overlaps itself
        copy(0, Varint(298), 298, 6);                  // source tail, then target head
        add(std::string(20, 'L'), false);
        // ADD 1 + COPY 4 SELF (opcode 163), then COPY 4 SELF + ADD 1 (247).
        w.instructions += static_cast<char>(163);
        w.data += 'p';
        target += 'p';
        w.addresses += Varint(0);
        target += source.substr(0, 4);
        w.instructions += static_cast<char>(247);
        w.addresses += Varint(4);
        target += source.substr(4, 4);
        w.data += 'q';
        target += 'q';
        w.targetLength = target.size();
        delta = FileHeader() + w.Bytes();
    }
};

// A small valid delta: "0123456789" becomes "0123456789abc".
Window BaseWindow()
{
    Window w;
    w.indicator = 0x01;
    w.segmentLength = 10;
    w.targetLength = 13;
    w.instructions = std::string(1, CopyOp(0, 10)) + AddOp(3);
    w.addresses = Varint(0);
    w.data = "abc";
    return w;
}

const std::string kBaseSource = "0123456789";

}  // namespace

TEST(DecoderTest, DecodesEveryInstructionAndAddressMode)
{
    ModeDelta m;
    std::string out;
    ASSERT_TRUE(Decode(m.source, m.delta, &out));
    EXPECT_EQ(out, m.target);
}

TEST(DecoderTest, EmptyInputAndHeaderOnlyAreComplete)
{
    std::string out;
    EXPECT_TRUE(Decode("", "", &out));
    EXPECT_TRUE(Decode("", FileHeader(), &out));
    EXPECT_TRUE(Decode("", FileHeader('S'), &out));
    EXPECT_EQ(out, "");
}

TEST(DecoderTest, IncompleteDeltaFailsAtFinish)
{
    const std::string delta = FileHeader() + BaseWindow().Bytes();
    for (size_t cut : {size_t(1), size_t(3), size_t(4), size_t(6), delta.size() - 1}) {
        open_vcdiff::VCDiffStreamingDecoder decoder;
        StringSink sink;
        decoder.StartDecoding(kBaseSource.data(), kBaseSource.size());
        EXPECT_TRUE(decoder.DecodeChunkToInterface(delta.data(), cut, &sink)) << cut;
        EXPECT_FALSE(decoder.FinishDecoding()) << cut;
    }
}

TEST(DecoderTest, NothingIsAcceptedBeforeStartOrAfterAnError)
{
    const std::string good = FileHeader() + BaseWindow().Bytes();
    open_vcdiff::VCDiffStreamingDecoder decoder;
    StringSink sink;
    EXPECT_FALSE(decoder.DecodeChunkToInterface(good.data(), good.size(), &sink));

    decoder.StartDecoding(kBaseSource.data(), kBaseSource.size());
    EXPECT_FALSE(decoder.DecodeChunkToInterface("\xD6\xC3\xC5", 3, &sink));
    EXPECT_FALSE(decoder.DecodeChunkToInterface(good.data() + 3, good.size() - 3, &sink));
    EXPECT_FALSE(decoder.FinishDecoding());
    EXPECT_EQ(sink.text, "");

    // A new start forgets the failure.
    decoder.StartDecoding(kBaseSource.data(), kBaseSource.size());
    EXPECT_TRUE(decoder.DecodeChunkToInterface(good.data(), good.size(), &sink));
    EXPECT_TRUE(decoder.FinishDecoding());
    EXPECT_EQ(sink.text, "0123456789abc");
}

struct Refusal {
    const char* name;
    std::string delta;
    // The delta is refused by the call whose chunk ends after this many
    // bytes (decoded one byte per call): a fault is found when it arrives.
    size_t refusedAt;
};

std::vector<Refusal> Refusals()
{
    std::vector<Refusal> cases;
    auto window = [](void (*change)(Window&)) {
        Window w = BaseWindow();
        change(w);
        return w.Bytes();
    };
    const std::string header = FileHeader();
    const std::string base = BaseWindow().Bytes();
    auto whole = [](const std::string& d) { return d.size(); };

    cases.push_back({"magic byte 1", "\xD7\xC3\xC4" + std::string(2, '\0') + base, 1});
    cases.push_back({"magic byte 2", "\xD6\x00\xC4" + std::string(2, '\0') + base, 2});
    cases.push_back({"magic byte 3", "\xD6\xC3\xC3" + std::string(2, '\0') + base, 3});
    cases.push_back({"version 1", FileHeader(1) + base, 4});
    cases.push_back({"version T", FileHeader('T') + base, 4});
    cases.push_back({"secondary compression", FileHeader(0, 0x01) + base, 5});
    cases.push_back({"source and target", header + window([](Window& w) { w.indicator = 3; }), 6});
    cases.push_back({"segment longer than dictionary", header + window([](Window& w) { w.segmentLength = 11; }), 7});
    cases.push_back({"segment past dictionary end", header + window([](Window& w) { w.segmentPosition = 1; }), 8});
    cases.push_back({"target segment before any target",
        header + window([](Window& w) { w.indicator = 2; w.segmentLength = 1; }), 7});
    for (uint8_t bit : {1, 2, 4}) {
        Window w = BaseWindow();
        w.deltaIndicator = bit;
        cases.push_back({"compressed section", header + w.Bytes(), 11});
    }
    {
        Window w = BaseWindow();
        w.lengthError = 1;
        std::string d = header + w.Bytes();
        cases.push_back({"delta length too long", d, 14});
        w.lengthError = -1;
        d = header + w.Bytes();
        cases.push_back({"delta length too short", d, 14});
    }
    cases.push_back({"length varint overflow", header + std::string("\x01\x0A\x00\xFF\xFF\xFF\xFF\x7F", 8), 12});
    cases.push_back({"instruction past window end", header + window([](Window& w) { w.targetLength = 12; }), 0});
    cases.push_back({"instructions end before target", header + window([](Window& w) { w.targetLength = 14; }), 0});
    cases.push_back({"leftover instruction",
        header + window([](Window& w) { w.instructions += AddOp(1); w.data += 'd'; }), 0});
    cases.push_back({"leftover data", header + window([](Window& w) { w.data += 'd'; }), 0});
    cases.push_back({"leftover address", header + window([](Window& w) { w.addresses += '\0'; }), 0});
    cases.push_back({"copy from here", header + window([](Window& w) {
        w.instructions = std::string(1, CopyOp(0, 4)) + AddOp(9);
        w.addresses = Varint(10);
        w.data = "abcdefghi";
    }), 0});
    cases.push_back({"here mode before start", header + window([](Window& w) {
        w.instructions = std::string(1, CopyOp(1, 10)) + AddOp(3);
        w.addresses = Varint(11);
    }), 0});
    cases.push_back({"target window over 64 MiB", header + window([](Window& w) {
        w.targetLength = (64u << 20) + 1;
    }), 13});
    {
        Window w = BaseWindow();
        w.indicator |= 0x04;
        w.writeChecksum = true;
        w.checksum = appatlas::vcdiff::Adler32(0, reinterpret_cast<const uint8_t*>("0123456789abc"), 13) ^ 1;
        cases.push_back({"checksum mismatch", FileHeader('S') + w.Bytes(), 0});
    }
    for (Refusal& c : cases) {
        if (c.refusedAt == 0)
            c.refusedAt = whole(c.delta);
    }
    return cases;
}

TEST(DecoderTest, RefusesEachFaultAsSoonAsItArrives)
{
    for (const Refusal& c : Refusals()) {
        std::string out;
        EXPECT_FALSE(Decode(kBaseSource, c.delta, &out)) << c.name;
        EXPECT_EQ(out, "") << c.name;

        open_vcdiff::VCDiffStreamingDecoder decoder;
        StringSink sink;
        decoder.StartDecoding(kBaseSource.data(), kBaseSource.size());
        size_t refusedAt = 0;
        for (size_t i = 0; i < c.delta.size(); ++i) {
            if (!decoder.DecodeChunkToInterface(&c.delta[i], 1, &sink)) {
                refusedAt = i + 1;
                break;
            }
        }
        EXPECT_EQ(refusedAt, c.refusedAt) << c.name;
    }
}

TEST(DecoderTest, ChecksumBitCountsOnlyInExtendedFormat)
{
    Window w = BaseWindow();
    w.indicator |= 0x04;
    std::string out;
    EXPECT_TRUE(Decode(kBaseSource, FileHeader() + w.Bytes(), &out));
    EXPECT_EQ(out, "0123456789abc");

    w.writeChecksum = true;
    w.checksum = appatlas::vcdiff::Adler32(0, reinterpret_cast<const uint8_t*>(out.data()), out.size());
    EXPECT_TRUE(Decode(kBaseSource, FileHeader('S') + w.Bytes(), &out));
    EXPECT_EQ(out, "0123456789abc");
    // Started from 1, as zlib's customary use has it, the sum is refused.
    w.checksum = appatlas::vcdiff::Adler32(1, reinterpret_cast<const uint8_t*>(out.data()), out.size());
    EXPECT_FALSE(Decode(kBaseSource, FileHeader('S') + w.Bytes(), &out));
}

TEST(DecoderTest, ChecksumRefusesAnotherSource)
{
    std::string source(5000, '\0'), target;
    uint32_t state = 1;
    for (char& c : source) {
        state = state * 1103515245 + 12345;
        c = static_cast<char>(state >> 24);
    }
    target = source.substr(100, 3000) + "edit" + source.substr(3200);
    appatlas::vcdiff::EncodeOptions options;
    options.checksum = true;
    const std::string delta = appatlas::vcdiff::EncodeDelta(source.data(), source.size(), target.data(),
        target.size(), options);
    std::string out;
    ASSERT_TRUE(Decode(source, delta, &out));
    EXPECT_EQ(out, target);
    std::string other = source;
    other[2000] ^= 0x55;
    EXPECT_FALSE(Decode(other, delta, &out));
}

TEST(DecoderTest, TargetSegmentCopiesFromEarlierWindows)
{
    Window first;
    first.targetLength = 6;
    first.instructions = std::string(1, AddOp(6));
    first.data = "abcdef";
    Window second;
    second.indicator = 0x02;
    second.segmentLength = 4;
    second.segmentPosition = 2;
    second.targetLength = 8;
    second.instructions = std::string(1, CopyOp(0, 4)) + CopyOp(0, 4);
    second.addresses = Varint(0) + Varint(2);  // "cdef", then "ef" + "cd"
    std::string out;
    ASSERT_TRUE(Decode("", FileHeader() + first.Bytes() + second.Bytes(), &out));
    EXPECT_EQ(out, "abcdefcdefefcd");

    Window beyond = second;
    beyond.segmentPosition = 3;  // 3 + 4 > 6 decoded bytes
    EXPECT_FALSE(Decode("", FileHeader() + first.Bytes() + beyond.Bytes(), &out));
}

TEST(DecoderTest, TargetLimitsAre64MiB)
{
    const size_t limit = 64u << 20;
    auto runWindow = [](uint64_t size) {
        Window w;
        w.targetLength = size;
        w.instructions = std::string(1, kRunOp) + Varint(size);
        w.data = "r";
        return w.Bytes();
    };
    std::string out;
    ASSERT_TRUE(Decode("", FileHeader() + runWindow(limit), &out));
    EXPECT_EQ(out.size(), limit);
    EXPECT_FALSE(Decode("", FileHeader() + runWindow(limit + 1), &out));
    EXPECT_FALSE(Decode("", FileHeader() + runWindow(limit / 2) + runWindow(limit / 2 + 1), &out));
    // The first window was handed over before the second was refused.
    EXPECT_EQ(out.size(), limit / 2);
}

namespace {

// A delta whose header brings the given code table and cache sizes, then
// the given windows.
std::string WithCodeTable(const appatlas::vcdiff::CodeTable& table, uint8_t nearSize, uint8_t sameSize)
{
    std::string defaultBytes(appatlas::vcdiff::CodeTable::kSerializedSize, '\0');
    std::string customBytes(defaultBytes.size(), '\0');
    appatlas::vcdiff::CodeTable::Default().Serialize(reinterpret_cast<uint8_t*>(&defaultBytes[0]));
    table.Serialize(reinterpret_cast<uint8_t*>(&customBytes[0]));
    return FileHeader(0, 0x02) + static_cast<char>(nearSize) + static_cast<char>(sameSize) +
        appatlas::vcdiff::EncodeDelta(defaultBytes.data(), defaultBytes.size(), customBytes.data(),
            customBytes.size());
}

}  // namespace

TEST(DecoderTest, CustomCodeTableIsUsed)
{
    appatlas::vcdiff::CodeTable table = appatlas::vcdiff::CodeTable::Default();
    table.size1[2] = 30;  // opcode 2 is now ADD 30 instead of ADD 1
    Window w;
    w.targetLength = 30;
    w.instructions = "\x02";
    w.data = std::string(30, 'z');
    std::string out;
    ASSERT_TRUE(Decode("", WithCodeTable(table, 4, 3) + w.Bytes(), &out));
    EXPECT_EQ(out, std::string(30, 'z'));
    EXPECT_FALSE(Decode("", FileHeader() + w.Bytes(), &out));
}

TEST(DecoderTest, CustomCodeTableModesMustFitItsCaches)
{
    appatlas::vcdiff::CodeTable table = appatlas::vcdiff::CodeTable::Default();
    Window w = BaseWindow();
    std::string out;
    // Without caches only SELF and HERE remain; the default table's other
    // modes are out of range.
    EXPECT_FALSE(Decode(kBaseSource, WithCodeTable(table, 0, 0) + w.Bytes(), &out));
    for (int op = 0; op < 256; ++op) {
        table.mode1[op] %= 2;
        table.mode2[op] %= 2;
    }
    ASSERT_TRUE(Decode(kBaseSource, WithCodeTable(table, 0, 0) + w.Bytes(), &out));
    EXPECT_EQ(out, "0123456789abc");
    // A table's own delta may not bring another table.
    std::string nested = WithCodeTable(table, 0, 0);
    nested.replace(6, 5, FileHeader(0, 0x02));
    EXPECT_FALSE(Decode(kBaseSource, nested + w.Bytes(), &out));
}

TEST(DecoderTest, HandsOverEveryDecodedByteAtTheEndOfEachCall)
{
    // Interleaved windows are decoded as their bytes come; standard ones
    // once complete.
    std::string source(20000, 'x'), target;
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<char>(i * 7 % 253);
    for (int i = 0; i < 50; ++i)
        target += source.substr(i * 300, 200) + "new" + std::to_string(i);
    for (bool interleaved : {false, true}) {
        appatlas::vcdiff::EncodeOptions options;
        options.interleaved = interleaved;
        options.windowSize = 4000;
        const std::string delta = appatlas::vcdiff::EncodeDelta(source.data(), source.size(), target.data(),
            target.size(), options);
        open_vcdiff::VCDiffStreamingDecoder decoder;
        StringSink sink;
        decoder.StartDecoding(source.data(), source.size());
        bool sawPartialWindow = false;
        for (size_t i = 0; i < delta.size(); ++i) {
            ASSERT_TRUE(decoder.DecodeChunkToInterface(&delta[i], 1, &sink));
            ASSERT_EQ(sink.text, target.substr(0, sink.text.size()));
            sawPartialWindow = sawPartialWindow || (sink.text.size() % 4000 != 0 && sink.text.size() != target.size());
        }
        EXPECT_TRUE(decoder.FinishDecoding());
        EXPECT_EQ(sink.text, target);
        EXPECT_EQ(sawPartialWindow, interleaved);
        if (interleaved) {
            EXPECT_GE(sink.reserved, target.size());
        }
    }
}

TEST(DecoderTest, AnySplitOfTheInputGivesTheSameTarget)
{
    struct Case {
        const char* name;
        std::string source;
        std::string delta;
        std::string target;
    };
    std::vector<Case> cases;
    {
        ModeDelta m;
        cases.push_back({"every mode", m.source, m.delta, m.target});
    }
    {
        Window first;
        first.targetLength = 6;
        first.instructions = std::string(1, AddOp(6));
        first.data = "abcdef";
        Window second;
        second.indicator = 0x02;
        second.segmentLength = 4;
        second.segmentPosition = 2;
        second.targetLength = 8;
        second.instructions = std::string(1, CopyOp(0, 4)) + CopyOp(0, 4);
        second.addresses = Varint(0) + Varint(2);
        cases.push_back({"target segment", "", FileHeader() + first.Bytes() + second.Bytes(), "abcdefcdefefcd"});
    }
    {
        std::string source = Source300(), target;
        for (int i = 0; i < 8; ++i)
            target += source.substr(i * 30, 40) + static_cast<char>('0' + i) + std::string(9, '=');
        appatlas::vcdiff::EncodeOptions options;
        options.interleaved = true;
        options.checksum = true;
        options.windowSize = 150;
        cases.push_back({"interleaved with checksums",
            source, appatlas::vcdiff::EncodeDelta(source.data(), source.size(), target.data(), target.size(), options),
            target});
    }
    {
        appatlas::vcdiff::CodeTable table = appatlas::vcdiff::CodeTable::Default();
        table.size1[2] = 30;
        Window w;
        w.targetLength = 30;
        w.instructions = "\x02";
        w.data = std::string(30, 'z');
        cases.push_back({"custom code table", "", WithCodeTable(table, 4, 3) + w.Bytes(), std::string(30, 'z')});
    }

    for (const Case& c : cases) {
        std::string out;
        ASSERT_TRUE(Decode(c.source, c.delta, &out, 1)) << c.name;
        EXPECT_EQ(out, c.target) << c.name;
        for (size_t split = 0; split <= c.delta.size(); ++split) {
            open_vcdiff::VCDiffStreamingDecoder decoder;
            StringSink sink;
            decoder.StartDecoding(c.source.data(), c.source.size());
            ASSERT_TRUE(decoder.DecodeChunkToInterface(c.delta.data(), split, &sink)) << c.name << " " << split;
            ASSERT_TRUE(decoder.DecodeChunkToInterface(c.delta.data() + split, c.delta.size() - split, &sink))
                << c.name << " " << split;
            ASSERT_TRUE(decoder.FinishDecoding()) << c.name << " " << split;
            ASSERT_EQ(sink.text, c.target) << c.name << " " << split;
        }
    }
}
