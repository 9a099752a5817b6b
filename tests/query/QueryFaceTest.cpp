// The query face as a host sees it: appatlas.dll loaded with LoadLibraryW and
// called through the public header only.

#include <appatlas.h>

#include "FileFixtures.h"
#include "TempDirectory.h"
#include "library/LibraryFileBuilder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

static_assert(sizeof(ProcessLibInfo) == 44, "eleven 32-bit fields");
static_assert(offsetof(ProcessLibInfo, Path) == 16, "record layout");
static_assert(offsetof(ProcessLibInfo, Reserved) == 20, "record layout");
static_assert(offsetof(ProcessLibInfo, CanClose) == 40, "record layout");

const char kLibrary[] =
    "<ProcessLib><Paths><p id='1' value='Vendor\\App'/></Paths>"
    "<CompanyNames><c id='1' Value='Vendor'/></CompanyNames>"
    "<SignNames><s id='1' Value='Vendor Inc'/></SignNames>"
    "<Processes><g Name='app.exe'><i id='1' DisplayName='App'/></g></Processes></ProcessLib>";

class Module {
public:
    Module() : handle_(LoadLibraryW(L"appatlas.dll"))
    {
        if (handle_ == nullptr) return;
        create = reinterpret_cast<PFN_APPATLAS_CREATE_QUERY>(reinterpret_cast<void*>(GetProcAddress(handle_, "a")));
        destroy = reinterpret_cast<PFN_APPATLAS_DESTROY_QUERY>(reinterpret_cast<void*>(GetProcAddress(handle_, "b")));
    }
    ~Module()
    {
        if (handle_) FreeLibrary(handle_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    HMODULE handle_;
    PFN_APPATLAS_CREATE_QUERY create = nullptr;
    PFN_APPATLAS_DESTROY_QUERY destroy = nullptr;
};

class QueryFace : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, module.handle_);
        ASSERT_NE(nullptr, module.create);
        ASSERT_NE(nullptr, module.destroy);
        query = module.create(APPATLAS_QUERY_VERSION);
        ASSERT_NE(nullptr, query);
    }
    void TearDown() override { module.destroy(query); }

    std::wstring Library(const std::wstring& name, const std::string& bytes)
    {
        const std::wstring path = temp.File(name);
        WriteBytes(path, bytes);
        return path;
    }

    Module module;
    TempDirectory temp;
    IProcessLibQuery* query = nullptr;
};

TEST_F(QueryFace, CreateAcceptsOnlyVersionOne)
{
    for (int version : {0, 2, -1, 0x10001}) EXPECT_EQ(nullptr, module.create(version)) << version;
    module.destroy(nullptr);
    query->FreeProcessInfo(nullptr);
}

TEST_F(QueryFace, InitRefusesFilesThatDoNotLoad)
{
    std::string compat2 = BuildLibraryFile(kLibrary, 0x21, 2);
    std::string badMagic = BuildLibraryFile(kLibrary, 0x21, 0);
    badMagic[3] = 'X';
    std::string method2 = BuildLibraryFile(kLibrary, 0x21, 0);
    method2[44] = 2;
    struct Case {
        const wchar_t* name;
        std::string bytes;
    } cases[] = {
        {L"compat2.dat", compat2},
        {L"magic.dat", badMagic},
        {L"method2.dat", method2},
        {L"notxml.dat", BuildLibraryFile("not xml", 0x21, 0)},
        {L"empty.dat", BuildLibraryFile("", 0x21, 0)},
        {L"nosigners.dat", BuildLibraryFile("<ProcessLib><Paths><p id='1' value='x'/></Paths></ProcessLib>", 1, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(0, query->Init(Library(c.name, c.bytes).c_str())) << c.name;
    EXPECT_EQ(0, query->Init(L""));
    EXPECT_EQ(0, query->Init(temp.File(L"missing.dat").c_str()));
    EXPECT_EQ(0, query->Init(temp.Path().c_str()));

    // None of the failures sticks: a good file loads afterwards, and compat
    // level 1 is still accepted.
    EXPECT_NE(0, query->Init(Library(L"good.dat", BuildLibraryFile(kLibrary, 0x21, 1)).c_str()));
}

TEST_F(QueryFace, FirstSuccessfulLoadIsFinal)
{
    const std::wstring good = Library(L"good.dat", BuildLibraryFile(kLibrary, 0x00, 0));
    EXPECT_EQ(1, query->Init(good.c_str()));
    EXPECT_EQ(1, query->Init(temp.File(L"missing.dat").c_str()));
    EXPECT_EQ(1, query->Init(nullptr));
    EXPECT_EQ(1, query->Init(L""));
    DeleteFileW(good.c_str());
    EXPECT_EQ(1, query->Init(good.c_str()));
}

TEST_F(QueryFace, QueriesWithBadArgumentsReturnZeroAndLeaveTheOutArgument)
{
    ASSERT_EQ(1, query->Init(Library(L"good.dat", BuildLibraryFile(kLibrary, 0x77, 0)).c_str()));
    ProcessLibInfo* const sentinel = reinterpret_cast<ProcessLibInfo*>(0x1234);
    ProcessLibInfo* info = sentinel;
    EXPECT_EQ(0, query->QueryProcessInfo(nullptr, &info));
    EXPECT_EQ(0, query->QueryProcessInfo(nullptr, nullptr));
    EXPECT_EQ(0, query->QueryProcessInfo(L"", &info));
    EXPECT_EQ(0, query->QueryProcessInfo(L"C:\\nowhere\\unknown.exe", &info));
    EXPECT_EQ(sentinel, info);
}

TEST_F(QueryFace, RecordsOutliveTheQueryObject)
{
    // Objects are independent: one loaded, another not, both destroyed in any
    // order; FreeProcessInfo works through any of them.
    IProcessLibQuery* other = module.create(1);
    ASSERT_NE(nullptr, other);
    EXPECT_EQ(1, other->Init(Library(L"good.dat", BuildLibraryFile(kLibrary, 0x10, 0)).c_str()));
    module.destroy(other);
    other = module.create(1);
    other->FreeProcessInfo(nullptr);
    module.destroy(other);
}

TEST_F(QueryFace, MethodsSitInTheirVtableSlots)
{
    // A host built by another compiler calls by slot: 0 Init, 1 Query, 2 Free.
    using InitFn = int(__stdcall*)(IProcessLibQuery*, const wchar_t*);
    using QueryFn = int(__stdcall*)(IProcessLibQuery*, const wchar_t*, ProcessLibInfo**);
    using FreeFn = void(__stdcall*)(IProcessLibQuery*, ProcessLibInfo*);
    void** slots = *reinterpret_cast<void***>(query);
    const std::wstring good = Library(L"good.dat", BuildLibraryFile(kLibrary, 0x10, 0));
    EXPECT_EQ(0, reinterpret_cast<InitFn>(slots[0])(query, L""));
    EXPECT_EQ(1, reinterpret_cast<InitFn>(slots[0])(query, good.c_str()));
    EXPECT_EQ(0, reinterpret_cast<QueryFn>(slots[1])(query, nullptr, nullptr));
    reinterpret_cast<FreeFn>(slots[2])(query, nullptr);
}

TEST_F(QueryFace, RelativePathIsTestedFromTheHostDirectoryButOpenedFromTheCurrentOne)
{
    // The existence test resolves against the executable's directory; the
    // open uses the current directory. Only a file present in both loads.
    const std::wstring name = L"rel-" + std::to_wstring(GetCurrentProcessId()) + L".dat";
    const std::wstring besideExe = TestBinaryDirectory() + L"\\" + name;
    const std::string bytes = BuildLibraryFile(kLibrary, 0x42, 0);
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(temp.Path().c_str()));

    WriteBytes(temp.File(name), bytes);
    EXPECT_EQ(0, query->Init(name.c_str())) << "only in the current directory";
    DeleteFileW(temp.File(name).c_str());
    WriteBytes(besideExe, bytes);
    EXPECT_EQ(0, query->Init(name.c_str())) << "only beside the executable";
    WriteBytes(temp.File(name), bytes);
    EXPECT_EQ(1, query->Init(name.c_str())) << "in both";

    DeleteFileW(besideExe.c_str());
    SetCurrentDirectoryW(previous);
}

} // namespace
