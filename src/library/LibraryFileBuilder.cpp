#include "library/LibraryFileBuilder.h"

#include "library/LibraryFileHeader.h"

#include <cstring>
#include <stdexcept>

std::string BuildLibraryFile(const std::string& payload, uint8_t key, uint32_t compatLevel)
{
    if (payload.size() > 0xFFFFFFFFu - sizeof(LibraryFileHeader))
        throw std::length_error("payload too large for a data file");

    LibraryFileHeader header;
    std::memset(&header, 0, sizeof header);
    header.Magic = kLibraryFileMagic;
    header.CompatLevel = compatLevel;
    header.FileSize = uint32_t(sizeof header + payload.size());
    header.DataOffset = sizeof header;
    header.DataLength = uint32_t(payload.size());
    header.ScrambleMethod = kScrambleXor;
    header.ScrambleKey = key;

    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.reserve(sizeof header + payload.size());
    for (char c : payload) file.push_back(char(c ^ char(key)));
    return file;
}
