#pragma once
#include <stddef.h>
#include <stdint.h>

// The 80-byte header at the start of a library data file (and of an update
// file). Multi-byte fields are little-endian, as on every host we run on.
#pragma pack(push, 1)
struct LibraryFileHeader {
    uint32_t Magic;           // "RWQF"
    uint8_t Unused4[12];
    uint32_t CompatLevel;     // the loader accepts 0 and 1
    uint8_t Unused20[4];
    uint32_t FileSize;        // must equal the file's real size
    uint8_t Unused28[8];
    uint32_t DataOffset;      // start of the scrambled payload
    uint32_t DataLength;      // its length
    uint32_t ScrambleMethod;  // 1: every payload byte XOR ScrambleKey
    uint8_t ScrambleKey;
    uint8_t Unused49[31];
};
#pragma pack(pop)

static_assert(sizeof(LibraryFileHeader) == 80, "the header is 80 bytes");
static_assert(offsetof(LibraryFileHeader, CompatLevel) == 16, "header layout");
static_assert(offsetof(LibraryFileHeader, FileSize) == 24, "header layout");
static_assert(offsetof(LibraryFileHeader, DataOffset) == 36, "header layout");
static_assert(offsetof(LibraryFileHeader, DataLength) == 40, "header layout");
static_assert(offsetof(LibraryFileHeader, ScrambleMethod) == 44, "header layout");
static_assert(offsetof(LibraryFileHeader, ScrambleKey) == 48, "header layout");

const uint32_t kLibraryFileMagic = 0x46515752;  // "RWQF" read little-endian
const uint32_t kScrambleXor = 1;
const uint32_t kMaxCompatLevel = 1;
