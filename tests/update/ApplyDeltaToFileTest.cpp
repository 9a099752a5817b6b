#include "update/ApplyDeltaToFile.h"

#include "DeltaBuilder.h"
#include "FileFixtures.h"
#include "TempDirectory.h"
#include "UpdateFixtures.h"
#include "environment/UniqueHandle.h"
#include "vcdiff/DeltaEncoder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const HRESULT kBadFormat = HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Pattern(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 31 + seed * 7 + i / 97) & 0xFF);
    return bytes;
}

// A delta of exactly deltaSize bytes: one window that adds its whole
// target, so every byte of the delta matters to the result.
std::string AddOnlyDelta(size_t deltaSize, std::string& target)
{
    for (size_t length = deltaSize - 40; length <= deltaSize; ++length) {
        vcdiff_test::Window window;
        window.targetLength = length;
        window.data = Pattern(length, 3);
        window.instructions = std::string(1, vcdiff_test::kAddOp) + vcdiff_test::Varint(length);
        const std::string delta = vcdiff_test::FileHeader() + window.Bytes();
        if (delta.size() == deltaSize) {
            target = window.data;
            return delta;
        }
    }
    return std::string();
}

class ApplyDeltaToFileTest : public ::testing::Test {
protected:
    HRESULT Apply() { return ApplyDeltaToFile(output.c_str(), source.c_str(), delta.c_str()); }

    TempDirectory temp;
    const std::wstring source = temp.File(L"source.dat");
    const std::wstring delta = temp.File(L"update.upd");
    const std::wstring output = temp.File(L"source.dat.0");
};

TEST_F(ApplyDeltaToFileTest, DecodesSourcesHeldInlineAndOnTheHeap)
{
    for (size_t size : {size_t(1), size_t(255), size_t(256), size_t(257), size_t(300000)}) {
        const std::string old = Pattern(size, 1);
        std::string target = old.substr(size / 2) + "inserted" + old.substr(0, size / 2);
        WriteBytes(source, old);
        WriteBytes(delta, UpdateFile(old, target, true));
        ASSERT_EQ(S_OK, Apply()) << size;
        EXPECT_EQ(target, ReadBytes(output)) << size;
        EXPECT_EQ(old, ReadBytes(source)) << size;
    }
}

TEST_F(ApplyDeltaToFileTest, WalksTheDeltaInChunksAroundTheChunkSize)
{
    WriteBytes(source, "source");
    for (size_t size : {size_t(16383), size_t(16384), size_t(16385), size_t(3 * 16384 + 1)}) {
        std::string target;
        const std::string body = AddOnlyDelta(size, target);
        ASSERT_EQ(size, body.size());
        WriteBytes(delta, WrapDelta(body));
        ASSERT_EQ(S_OK, Apply()) << size;
        EXPECT_EQ(target, ReadBytes(output)) << size;
    }
}

TEST_F(ApplyDeltaToFileTest, ReplacesAnExistingOutputRatherThanAppending)
{
    WriteBytes(source, Pattern(1000, 1));
    WriteBytes(output, Pattern(5000, 9));
    const std::string target = Pattern(700, 1);
    WriteBytes(delta, UpdateFile(Pattern(1000, 1), target, false));
    ASSERT_EQ(S_OK, Apply());
    EXPECT_EQ(target, ReadBytes(output));
}

// Every failure before the output is created leaves no output file.
TEST_F(ApplyDeltaToFileTest, FailuresBeforeTheOutputCreateNothing)
{
    const std::string old = Pattern(500, 1);
    const std::string update = UpdateFile(old, Pattern(600, 2), false);
    struct Case {
        const char* name;
        std::function<void()> setUp;
        HRESULT expected;
    };
    const Case cases[] = {
        {"missing delta", [&] { WriteBytes(source, old); }, kBadFormat},
        {"delta not in the container", [&] { WriteBytes(source, old); WriteBytes(delta, "\xD6\xC3\xC4"); },
         kBadFormat},
        {"container with an empty delta",
         [&] { WriteBytes(source, old); WriteBytes(delta, WrapDelta("")); }, kBadFormat},
        {"missing source", [&] { WriteBytes(delta, update); }, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
        {"empty source", [&] { WriteBytes(source, ""); WriteBytes(delta, update); }, E_OUTOFMEMORY},
    };
    for (const Case& c : cases) {
        DeleteFileW(source.c_str());
        DeleteFileW(delta.c_str());
        DeleteFileW(output.c_str());
        c.setUp();
        EXPECT_EQ(c.expected, Apply()) << c.name;
        EXPECT_FALSE(Exists(output)) << c.name;
    }
}

TEST_F(ApplyDeltaToFileTest, DeltaHeldOpenForWritingIsUnreadable)
{
    WriteBytes(source, "source");
    WriteBytes(delta, UpdateFile("source", "target", false));
    UniqueHandle writer(CreateFileW(delta.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.Valid());
    EXPECT_EQ(kBadFormat, Apply());
    EXPECT_FALSE(Exists(output));
}

TEST_F(ApplyDeltaToFileTest, DecoderRefusalsReturnBadFormat)
{
    const std::string old = Pattern(4000, 1);
    const std::string target = Pattern(5000, 2) + old;
    const std::string good = appatlas::vcdiff::EncodeDelta(old.data(), old.size(), target.data(), target.size(),
                                                           [] {
                                                               appatlas::vcdiff::EncodeOptions o;
                                                               o.checksum = true;
                                                               return o;
                                                           }());
    struct Case {
        const char* name;
        std::string source;
        std::string delta;
    };
    const Case cases[] = {
        {"checksum against another source", Pattern(4000, 5), good},
        {"truncated delta", old, good.substr(0, good.size() - 1)},
        {"bad magic", old, "\xD6\xC3\xC5" + good.substr(3)},
    };
    for (const Case& c : cases) {
        WriteBytes(source, c.source);
        WriteBytes(delta, WrapDelta(c.delta));
        EXPECT_EQ(kBadFormat, Apply()) << c.name;
        EXPECT_EQ(c.source, ReadBytes(source)) << c.name;
    }
}

TEST_F(ApplyDeltaToFileTest, OutputHeldOpenByAnotherWriterIsASharingViolation)
{
    WriteBytes(source, "source");
    WriteBytes(delta, UpdateFile("source", "target", false));
    WriteBytes(output, "before");
    UniqueHandle holder(CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION), Apply());
    holder.Reset();
    EXPECT_EQ("before", ReadBytes(output));
}

TEST_F(ApplyDeltaToFileTest, NullPathsAreInvalidArguments)
{
    EXPECT_EQ(E_INVALIDARG, ApplyDeltaToFile(nullptr, source.c_str(), delta.c_str()));
    EXPECT_EQ(E_INVALIDARG, ApplyDeltaToFile(output.c_str(), nullptr, delta.c_str()));
    EXPECT_EQ(E_INVALIDARG, ApplyDeltaToFile(output.c_str(), source.c_str(), nullptr));
}

}  // namespace
