#pragma once
#include "library/LibraryFileHeader.h"
#include "library/VqDatLibContent.h"

#include <string>

// Why a data file's header was refused, in the order the tests run. The
// module itself only reports valid or not; the tool names the reason.
enum class HeaderVerdict {
    Valid,
    CannotOpen,
    TooSmall,
    ShortHeaderRead,
    BadMagic,
    SizeMismatch,
    OffsetBeyondFile,
    RegionBeyondFile,
};

const wchar_t* DescribeHeaderVerdict(HeaderVerdict verdict);

// Runs the header tests on the file at path (opened exactly as given, read
// sharing only). The header receives the bytes read whatever the verdict.
HeaderVerdict InspectLibraryFileHeader(const std::wstring& path, LibraryFileHeader& header);

// 1 when the header is valid, else 0.
int CheckLibraryFileHeader(const std::wstring& path, LibraryFileHeader& header);

// Validates the header, reads the payload and descrambles it into content.
// 1 on success; on 0 the content holds no text.
int ReadLibraryFile(const std::wstring& path, VqDatLibContent& content);
