#include "vcdiff/CodeTable.h"

#include <cstring>

namespace appatlas {
namespace vcdiff {
namespace {

CodeTable BuildDefault()
{
    CodeTable t;
    std::memset(&t, 0, sizeof t);
    int op = 0;
    auto single = [&](uint8_t type, uint8_t size, uint8_t mode) {
        t.inst1[op] = type;
        t.size1[op] = size;
        t.mode1[op] = mode;
        ++op;
    };
    auto pair = [&](uint8_t type1, uint8_t sizeA, uint8_t modeA, uint8_t type2, uint8_t sizeB, uint8_t modeB) {
        t.inst2[op] = type2;
        t.size2[op] = sizeB;
        t.mode2[op] = modeB;
        single(type1, sizeA, modeA);
    };

    single(kRun, 0, 0);
    single(kAdd, 0, 0);
    for (uint8_t size = 1; size <= 17; ++size)
        single(kAdd, size, 0);
    for (uint8_t mode = 0; mode <= 8; ++mode) {
        single(kCopy, 0, mode);
        for (uint8_t size = 4; size <= 18; ++size)
            single(kCopy, size, mode);
    }
    for (uint8_t mode = 0; mode <= 5; ++mode)
        for (uint8_t addSize = 1; addSize <= 4; ++addSize)
            for (uint8_t copySize = 4; copySize <= 6; ++copySize)
                pair(kAdd, addSize, 0, kCopy, copySize, mode);
    for (uint8_t mode = 6; mode <= 8; ++mode)
        for (uint8_t addSize = 1; addSize <= 4; ++addSize)
            pair(kAdd, addSize, 0, kCopy, 4, mode);
    for (uint8_t mode = 0; mode <= 8; ++mode)
        pair(kCopy, 4, mode, kAdd, 1, 0);
    return t;
}

bool ValidHalf(uint8_t type, uint8_t mode, unsigned modeCount)
{
    if (type > kCopy)
        return false;
    return type != kCopy || mode < modeCount;
}

}  // namespace

const CodeTable& CodeTable::Default()
{
    static const CodeTable table = BuildDefault();
    return table;
}

void CodeTable::Serialize(uint8_t* out) const
{
    const uint8_t* arrays[6] = {inst1, inst2, size1, size2, mode1, mode2};
    for (const uint8_t* array : arrays) {
        std::memcpy(out, array, 256);
        out += 256;
    }
}

bool CodeTable::Deserialize(const uint8_t* in, unsigned modeCount)
{
    uint8_t* arrays[6] = {inst1, inst2, size1, size2, mode1, mode2};
    for (uint8_t* array : arrays) {
        std::memcpy(array, in, 256);
        in += 256;
    }
    for (int op = 0; op < 256; ++op) {
        if (!ValidHalf(inst1[op], mode1[op], modeCount) || !ValidHalf(inst2[op], mode2[op], modeCount))
            return false;
    }
    return true;
}

}  // namespace vcdiff
}  // namespace appatlas
