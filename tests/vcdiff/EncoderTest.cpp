// Our encoder's deltas decode back to the target, in each format.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "DecodeHelpers.h"
#include "FixtureFiles.h"
#include "vcdiff/DeltaEncoder.h"

using namespace vcdiff_test;
using appatlas::vcdiff::EncodeDelta;
using appatlas::vcdiff::EncodeOptions;

namespace {

std::string Random(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

std::string Encode(const std::string& source, const std::string& target, const EncodeOptions& options = {})
{
    return EncodeDelta(source.data(), source.size(), target.data(), target.size(), options);
}

}  // namespace

TEST(EncoderTest, RoundTrips)
{
    const std::string random = Random(300000, 1);
    std::string edited = random;
    edited.insert(1000, "inserted");
    edited.erase(50000, 777);
    edited.replace(120000, 5, "XXXXX");
    edited += random.substr(0, 40000);           // repeats its own start
    edited += std::string(100000, '\0');         // a run
    std::string pattern;
    for (int i = 0; i < 5000; ++i)
        pattern += "abc" + std::to_string(i % 7);

    struct Case {
        const char* name;
        std::string source;
        std::string target;
    };
    const std::vector<Case> cases = {
        {"empty target", random, ""},
        {"empty source", "", pattern},
        {"both empty", "", ""},
        {"identical", random, random},
        {"edited", random, edited},
        {"unrelated", random, Random(70000, 2)},
        {"one byte", "x", "y"},
        {"tiny source", "abc", "abcabcabcab"},
        {"short target", random, random.substr(7, 3)},
    };
    std::vector<EncodeOptions> formats(4);
    formats[1].checksum = true;
    formats[2].interleaved = true;
    formats[3].checksum = formats[3].interleaved = true;
    formats[3].windowSize = 65536;  // several windows

    for (const Case& c : cases) {
        for (const EncodeOptions& options : formats) {
            const std::string delta = Encode(c.source, c.target, options);
            std::string out;
            EXPECT_TRUE(Decode(c.source, delta, &out)) << c.name;
            EXPECT_TRUE(out == c.target) << c.name << " " << options.checksum << options.interleaved;
            EXPECT_EQ(delta[3], options.checksum || options.interleaved ? 'S' : '\0') << c.name;
        }
    }
}

TEST(EncoderTest, FindsWhatSourceAndTargetShare)
{
    // Sizes far below the data's show that COPY and RUN are found; exact
    // sizes are the benchmark's business.
    const std::string random = Random(1 << 20, 3);
    EXPECT_LT(Encode(random, random).size(), 100u);
    std::string twice = random + random;
    EXPECT_LT(Encode("", twice, {}).size(), random.size() + 1000);
    EXPECT_LT(Encode("", std::string(1 << 20, 'z')).size(), 100u);
    std::string shifted = random.substr(1) + random.substr(0, 1);
    EXPECT_LT(Encode(random, shifted).size(), 100u);
}

TEST(EncoderTest, FixturePairsRoundTrip)
{
    for (const char* pair : kFixturePairs) {
        const std::string source = ReadFixture(std::string(pair) + ".old");
        const std::string target = ReadFixture(std::string(pair) + ".new");
        const std::string delta = Encode(source, target);
        std::string out;
        EXPECT_TRUE(Decode(source, delta, &out, 16384)) << pair;
        EXPECT_TRUE(out == target) << pair;
        const std::size_t theirs = ReadFixture(std::string(pair) + ".xd3").size();
        std::printf("%-14s target %9zu  ours %8zu  xdelta3 %8zu\n", pair, target.size(), delta.size(), theirs);
    }
}
