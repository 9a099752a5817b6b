#pragma once
#include "library/LibraryFileHeader.h"

#include <memory>

// Holds one descrambled payload read by ReadLibraryFile: TextLength bytes
// followed by one zero byte. Empty (no text, length 0) until a read succeeds.
class VqDatLibContent {
public:
    VqDatLibContent() : Header() {}
    virtual ~VqDatLibContent() = default;
    VqDatLibContent(const VqDatLibContent&) = delete;
    VqDatLibContent& operator=(const VqDatLibContent&) = delete;

    LibraryFileHeader Header;
    std::unique_ptr<char[]> Text;
    uint32_t TextLength = 0;
};
