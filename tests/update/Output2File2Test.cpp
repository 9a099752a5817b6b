#include "update/Output2File2.h"

#include "FileFixtures.h"
#include "TempDirectory.h"
#include "environment/UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

UniqueHandle Open(const std::wstring& path, DWORD access)
{
    return UniqueHandle(CreateFileW(path.c_str(), access, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(Output2File2, WritesEveryByteAndReportsThePosition)
{
    TempDirectory temp;
    const std::wstring path = temp.File(L"out");
    {
        UniqueHandle file = Open(path, GENERIC_READ | GENERIC_WRITE);
        const HANDLE handle = file.Get();
        Output2File2 sink(handle);
        EXPECT_EQ(0u, sink.size());
        EXPECT_EQ(&sink, &sink.append("abc", 3));
        sink.push_back('d');
        sink.ReserveAdditionalBytes(100);
        sink.clear();
        EXPECT_EQ(4u, sink.size());
        EXPECT_EQ(S_OK, sink.WriteResult());
    }
    EXPECT_EQ("abcd", ReadBytes(path));
}

// The decoder cannot hear of a failed write, so the sink keeps the first
// one; later writes that work must not hide it.
TEST(Output2File2, KeepsTheFirstFailedWrite)
{
    TempDirectory temp;
    UniqueHandle readOnly = Open(temp.File(L"ro"), GENERIC_READ);
    UniqueHandle writable = Open(temp.File(L"rw"), GENERIC_WRITE);
    HANDLE handle = readOnly.Get();
    Output2File2 sink(handle);
    sink.append("abc", 3);
    const HRESULT first = sink.WriteResult();
    EXPECT_TRUE(FAILED(first));
    handle = writable.Get();
    sink.append("abc", 3);
    sink.push_back('d');
    EXPECT_EQ(first, sink.WriteResult());

    HANDLE other = readOnly.Get();
    Output2File2 byteSink(other);
    byteSink.push_back('x');
    EXPECT_TRUE(FAILED(byteSink.WriteResult()));
}

}  // namespace
