// The pairs make_fixtures.py writes into the test's working directory.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace vcdiff_test {

inline const char* const kFixturePairs[] = {"text", "binary", "grown", "shrunk", "empty_source"};

inline std::string ReadFixture(const std::string& name)
{
    std::ifstream in("fixtures/" + name, std::ios::binary);
    if (!in)
        return std::string("missing fixture ") + name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vcdiff_test
