// Deltas made by xdelta3 from seeded file pairs decode to the byte.
#include <gtest/gtest.h>

#include "DecodeHelpers.h"
#include "FixtureFiles.h"

using namespace vcdiff_test;

TEST(InteropTest, XDelta3DeltasDecodeExactly)
{
    for (const char* pair : kFixturePairs) {
        const std::string source = ReadFixture(std::string(pair) + ".old");
        const std::string target = ReadFixture(std::string(pair) + ".new");
        const std::string delta = ReadFixture(std::string(pair) + ".xd3");
        ASSERT_GT(target.size(), 1000u) << pair;
        // Whole, in the chunks the product uses, and in odd ones.
        for (size_t chunk : {std::string::npos, size_t(16384), size_t(997)}) {
            std::string out;
            EXPECT_TRUE(Decode(source, delta, &out, chunk)) << pair << " " << chunk;
            EXPECT_TRUE(out == target) << pair << " " << chunk << ": " << out.size() << " of " << target.size();
        }
    }
}

TEST(InteropTest, XDelta3DeltaAgainstAnotherSourceIsNotTheTarget)
{
    // Without a checksum a wrong source decodes to something else, or is
    // refused when an address falls outside it; never to the target.
    const std::string source = ReadFixture("text.old");
    const std::string target = ReadFixture("text.new");
    const std::string delta = ReadFixture("text.xd3");
    std::string wrong = source.substr(0, source.size() / 2);
    std::string out;
    if (Decode(wrong, delta, &out)) {
        EXPECT_NE(out, target);
    }
}
