#include "update/DictionaryBuffer.h"

#include "FileFixtures.h"
#include "TempDirectory.h"
#include "environment/UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

TEST(DictionaryBuffer, EmptySourceGetsNoStorage)
{
    DictionaryBuffer buffer;
    buffer.Allocate(0);
    EXPECT_EQ(0u, buffer.Size());
}

// A file that shrank between the size query and the read must not leave
// the rest of the buffer to the decoder as if it were source bytes.
TEST(DictionaryBuffer, ReadingFewerBytesThanTheSizeFails)
{
    TempDirectory temp;
    const std::wstring path = temp.File(L"source");
    WriteBytes(path, std::string(200, 'x'));
    for (uint32_t size : {201u, 256u, 257u, 4096u}) {
        UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.Valid());
        DictionaryBuffer buffer;
        buffer.Allocate(size);
        ASSERT_EQ(size, buffer.Size());
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_HANDLE_EOF), buffer.ReadFrom(file.Get())) << size;
    }
}

TEST(DictionaryBuffer, ReadsTheWholeFileInlineOrOnTheHeap)
{
    TempDirectory temp;
    for (uint32_t size : {1u, 256u, 257u}) {
        const std::string bytes(size, char('a' + size % 26));
        const std::wstring path = temp.File(L"source");
        WriteBytes(path, bytes);
        UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        DictionaryBuffer buffer;
        buffer.Allocate(size);
        ASSERT_EQ(S_OK, buffer.ReadFrom(file.Get()));
        EXPECT_EQ(bytes, std::string(buffer.Data(), buffer.Size()));
    }
}

}  // namespace
