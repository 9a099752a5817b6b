#include "library/LibraryFile.h"

#include "environment/UniqueHandle.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace {

HeaderVerdict OpenAndCheck(const std::wstring& path, LibraryFileHeader& header, UniqueHandle& file)
{
    std::memset(&header, 0, sizeof header);
    file.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return HeaderVerdict::CannotOpen;

    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size < sizeof header) return HeaderVerdict::TooSmall;

    DWORD read = 0;
    if (!ReadFile(file.Get(), &header, sizeof header, &read, nullptr) || read != sizeof header)
        return HeaderVerdict::ShortHeaderRead;
    if (header.Magic != kLibraryFileMagic) return HeaderVerdict::BadMagic;
    if (header.FileSize != size) return HeaderVerdict::SizeMismatch;
    if (header.DataOffset > size) return HeaderVerdict::OffsetBeyondFile;
    // In 64 bits, so a huge DataLength cannot wrap around into range.
    if (uint64_t(header.DataOffset) + header.DataLength > size) return HeaderVerdict::RegionBeyondFile;
    return HeaderVerdict::Valid;
}

} // namespace

const wchar_t* DescribeHeaderVerdict(HeaderVerdict verdict)
{
    switch (verdict) {
    case HeaderVerdict::Valid: return L"valid";
    case HeaderVerdict::CannotOpen: return L"cannot be opened for reading";
    case HeaderVerdict::TooSmall: return L"is smaller than the 80-byte header";
    case HeaderVerdict::ShortHeaderRead: return L"header could not be read";
    case HeaderVerdict::BadMagic: return L"does not start with RWQF";
    case HeaderVerdict::SizeMismatch: return L"FileSize differs from the file's size";
    case HeaderVerdict::OffsetBeyondFile: return L"DataOffset lies beyond the end of the file";
    case HeaderVerdict::RegionBeyondFile: return L"DataOffset + DataLength lies beyond the end of the file";
    }
    return L"unknown";
}

HeaderVerdict InspectLibraryFileHeader(const std::wstring& path, LibraryFileHeader& header)
{
    UniqueHandle file;
    return OpenAndCheck(path, header, file);
}

int CheckLibraryFileHeader(const std::wstring& path, LibraryFileHeader& header)
{
    return InspectLibraryFileHeader(path, header) == HeaderVerdict::Valid ? 1 : 0;
}

int ReadLibraryFile(const std::wstring& path, VqDatLibContent& content)
{
    content.Text.reset();
    content.TextLength = 0;

    UniqueHandle file;
    if (OpenAndCheck(path, content.Header, file) != HeaderVerdict::Valid) return 0;
    const LibraryFileHeader& header = content.Header;

    // The header tests bound DataLength by the file size, which GetFileSize
    // reports in 32 bits; DataLength + 1 must not wrap to a tiny buffer.
    if (header.DataLength == 0xFFFFFFFFu) return 0;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size_t(header.DataLength) + 1]);
    if (!buffer) return 0;

    // With a high part of 0 the offset counts as unsigned, up to 4 GiB.
    LONG high = 0;
    SetLastError(NO_ERROR);
    if (SetFilePointer(file.Get(), LONG(header.DataOffset), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return 0;
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer.get(), header.DataLength, &read, nullptr) || read != header.DataLength)
        return 0;
    if (header.ScrambleMethod != kScrambleXor) return 0;

    const char key = char(header.ScrambleKey);
    char* text = buffer.get();
    for (uint32_t i = 0; i < header.DataLength; ++i) text[i] ^= key;
    text[header.DataLength] = '\0';

    content.Text = std::move(buffer);
    content.TextLength = header.DataLength;
    return 1;
}
