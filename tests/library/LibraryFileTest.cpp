#include "library/LibraryFile.h"
#include "library/LibraryFileBuilder.h"

#include "FileFixtures.h"
#include "TempDirectory.h"
#include "environment/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>

namespace {

void PutU32(std::string& file, size_t offset, uint32_t value)
{
    std::memcpy(&file[offset], &value, 4);
}

struct HeaderCase {
    const char* name;
    std::function<std::string()> make;
    int headerValid;
    int readOk;
    std::string text;  // expected payload when readOk
};

std::string Packed(const std::string& payload, uint8_t key = 0x5A, uint32_t compat = 0)
{
    return BuildLibraryFile(payload, key, compat);
}

std::string EmptyRegion80()
{
    std::string file = Packed("");
    EXPECT_EQ(80u, file.size());
    return file;
}

class LibraryFileTest : public ::testing::Test {
protected:
    TempDirectory temp;
    std::wstring path = temp.File(L"appatlas.dat");
};

TEST_F(LibraryFileTest, HeaderTestsAndReadOutcomes)
{
    const std::string doc = "<ProcessLib/>";
    const HeaderCase cases[] = {
        {"valid", [&] { return Packed(doc); }, 1, 1, doc},
        {"79 bytes", [&] { return Packed(doc).substr(0, 79); }, 0, 0, ""},
        {"80 bytes, empty region", [] { return EmptyRegion80(); }, 1, 1, ""},
        {"bad magic", [&] { std::string f = Packed(doc); f[0] = 'X'; return f; }, 0, 0, ""},
        {"FileSize one more", [&] { std::string f = Packed(doc); PutU32(f, 24, uint32_t(f.size() + 1)); return f; }, 0, 0, ""},
        {"FileSize one less", [&] { std::string f = Packed(doc); PutU32(f, 24, uint32_t(f.size() - 1)); return f; }, 0, 0, ""},
        {"region ends at size", [&] { std::string f = Packed(doc, 0) + "tail"; PutU32(f, 24, uint32_t(f.size()));
                                       PutU32(f, 40, uint32_t(f.size() - 80)); return f; }, 1, 1, doc + "tail"},
        {"region one past size", [&] { std::string f = Packed(doc); PutU32(f, 40, uint32_t(f.size() - 79)); return f; }, 0, 0, ""},
        {"offset beyond size", [&] { std::string f = Packed(doc); PutU32(f, 36, uint32_t(f.size() + 1)); PutU32(f, 40, 0); return f; }, 0, 0, ""},
        {"offset at size, no data", [&] { std::string f = Packed(doc); PutU32(f, 36, uint32_t(f.size())); PutU32(f, 40, 0); return f; }, 1, 1, ""},
        {"DataLength all ones", [&] { std::string f = Packed(doc); PutU32(f, 36, 4); PutU32(f, 40, 0xFFFFFFFFu); return f; }, 0, 0, ""},
        {"scramble method 0", [&] { std::string f = Packed(doc); PutU32(f, 44, 0); return f; }, 1, 0, ""},
        {"scramble method 2", [&] { std::string f = Packed(doc); PutU32(f, 44, 2); return f; }, 1, 0, ""},
        {"key 0 stores plain text", [&] { return Packed(doc, 0); }, 1, 1, doc},
        {"compat level 2 is not the container's business", [&] { return Packed(doc, 0x33, 2); }, 1, 1, doc},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = c.make();
        WriteBytes(path, bytes);

        LibraryFileHeader header;
        EXPECT_EQ(c.headerValid, CheckLibraryFileHeader(path, header));
        if (bytes.size() >= 80) {
            EXPECT_EQ(0, std::memcmp(&header, bytes.data(), 80)) << "header holds the bytes read";
        }

        VqDatLibContent content;
        EXPECT_EQ(c.readOk, ReadLibraryFile(path, content));
        if (c.readOk) {
            ASSERT_TRUE(content.Text);
            EXPECT_EQ(c.text, std::string(content.Text.get(), content.TextLength));
            EXPECT_EQ('\0', content.Text[content.TextLength]);
        } else {
            EXPECT_FALSE(content.Text);
            EXPECT_EQ(0u, content.TextLength);
        }
    }
}

TEST_F(LibraryFileTest, PayloadStartingAtOffsetZeroIncludesTheHeader)
{
    std::string file = Packed("abc", 0);
    PutU32(file, 36, 0);
    PutU32(file, 40, uint32_t(file.size()));
    WriteBytes(path, file);
    VqDatLibContent content;
    ASSERT_EQ(1, ReadLibraryFile(path, content));
    EXPECT_EQ(file, std::string(content.Text.get(), content.TextLength));
}

TEST_F(LibraryFileTest, DescramblesWithTheKey)
{
    WriteBytes(path, Packed("<ProcessLib>\xE2\x82\xAC</ProcessLib>", 0xFF));
    VqDatLibContent content;
    ASSERT_EQ(1, ReadLibraryFile(path, content));
    EXPECT_EQ("<ProcessLib>\xE2\x82\xAC</ProcessLib>", std::string(content.Text.get()));
}

TEST_F(LibraryFileTest, MissingFileAndFileOpenForWritingElsewhereAreRefused)
{
    LibraryFileHeader header;
    VqDatLibContent content;
    EXPECT_EQ(0, CheckLibraryFileHeader(path, header));
    EXPECT_EQ(0, ReadLibraryFile(path, content));

    WriteBytes(path, Packed("<ProcessLib/>"));
    {
        // A writer that shares read access still blocks us: our open allows
        // other openers to read only.
        UniqueHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(writer.Valid());
        EXPECT_EQ(0, CheckLibraryFileHeader(path, header));
        EXPECT_EQ(0, ReadLibraryFile(path, content));
    }
    {
        UniqueHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
        ASSERT_TRUE(reader.Valid());
        EXPECT_EQ(1, CheckLibraryFileHeader(path, header));
        EXPECT_EQ(1, ReadLibraryFile(path, content));
    }
}

TEST_F(LibraryFileTest, ADirectoryIsNotADataFile)
{
    LibraryFileHeader header;
    EXPECT_EQ(0, CheckLibraryFileHeader(temp.Path(), header));
}

} // namespace
