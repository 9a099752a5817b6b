// The update face as an updater sees it: appatlas.dll loaded with
// LoadLibraryW and called through the public header only. Each test loads
// its own copy of the DLL from a fresh directory, so the "Data" directory
// beside it, where appatlas.dat lives, is the test's own.

#include <appatlas.h>

#include "FileFixtures.h"
#include "TempDirectory.h"
#include "UpdateFixtures.h"
#include "environment/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <thread>

namespace {

const HRESULT kBadFormat = HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
const HRESULT kFileInvalid = HRESULT_FROM_WIN32(ERROR_FILE_INVALID);
const IID kOtherIid = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class LoadedModule {
public:
    explicit LoadedModule(const std::wstring& path) : handle_(LoadLibraryW(path.c_str())) {}
    ~LoadedModule()
    {
        if (handle_ != nullptr) FreeLibrary(handle_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    template <class F>
    F Get(const char* name) const
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(handle_, name)));
    }
    HMODULE Handle() const { return handle_; }

private:
    HMODULE handle_;
};

std::wstring CopyModule(const std::wstring& directory)
{
    const std::wstring path = directory + L"\\appatlas.dll";
    CopyFileW((TestBinaryDirectory() + L"\\appatlas.dll").c_str(), path.c_str(), FALSE);
    return path;
}

class UpdateFace : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, module.Handle());
        ASSERT_NE(nullptr, create);
        ASSERT_EQ(S_OK, create(&IID_IUpdateHelper, reinterpret_cast<void**>(&helper)));
    }
    void TearDown() override
    {
        if (helper != nullptr) {
            EXPECT_EQ(0u, helper->Release());
        }
    }

    // appatlas.dat holds the old library; the update file turns it into the
    // new one.
    void Install(bool checksum = true)
    {
        CreateDirectoryW(dataDirectory.c_str(), nullptr);
        WriteBytes(dataFile, oldFile);
        WriteBytes(updatePath, UpdateFile(oldFile, newFile, checksum));
    }

    TempDirectory temp;
    LoadedModule module{CopyModule(temp.Path())};
    PFN_APPATLAS_CREATE_UPDATE_HELPER create =
        module.Get<PFN_APPATLAS_CREATE_UPDATE_HELPER>("CreateUpdateHelper");
    IUpdateHelper* helper = nullptr;

    const std::wstring dataDirectory = temp.File(L"Data");
    const std::wstring dataFile = dataDirectory + L"\\appatlas.dat";
    const std::wstring newDataFile = dataFile + L".0";
    const std::wstring updatePath = temp.File(L"appatlas_1201.upd");
    const std::string oldFile = DataFile(LibraryDocument("app.exe"));
    const std::string newFile = DataFile(LibraryDocument("other.exe"));
};

TEST_F(UpdateFace, FactoryHandsOutOneReferenceForItsTwoIdentifiers)
{
    for (const IID* iid : {&IID_IUpdateHelper, &IID_IUnknown}) {
        IUpdateHelper* object = nullptr;
        ASSERT_EQ(S_OK, create(iid, reinterpret_cast<void**>(&object)));
        ASSERT_NE(nullptr, object);
        EXPECT_EQ(0u, object->Release());
    }
    void* untouched = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(S_FALSE, create(&kOtherIid, &untouched));
    EXPECT_EQ(reinterpret_cast<void*>(0x1234), untouched);
    EXPECT_EQ(E_INVALIDARG, create(&IID_IUpdateHelper, nullptr));
    EXPECT_EQ(E_INVALIDARG, create(nullptr, &untouched));
    EXPECT_EQ(reinterpret_cast<void*>(0x1234), untouched);
}

TEST_F(UpdateFace, QueryInterfaceAndCounts)
{
    EXPECT_EQ(E_INVALIDARG, helper->QueryInterface(IID_IUpdateHelper, nullptr));
    for (const IID* iid : {&IID_IUpdateHelper, &IID_IUnknown}) {
        void* same = nullptr;
        ASSERT_EQ(S_OK, helper->QueryInterface(*iid, &same));
        EXPECT_EQ(static_cast<void*>(helper), same);
        EXPECT_EQ(1u, helper->Release());
    }
    void* none = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(E_NOINTERFACE, helper->QueryInterface(kOtherIid, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(2u, helper->AddRef());
    EXPECT_EQ(1u, helper->Release());
}

TEST_F(UpdateFace, ReservedOperationReturnsOne)
{
    EXPECT_EQ(1, helper->ReservedOperation(nullptr));
    EXPECT_EQ(1, helper->ReservedOperation(&helper));
}

TEST_F(UpdateFace, NullPathIsAnInvalidArgument)
{
    EXPECT_EQ(E_INVALIDARG, helper->ApplyUpdate(nullptr));
}

// Names that pass reach the (missing) update file, composing the data file
// path and so creating the data directory; refused names touch nothing.
TEST_F(UpdateFace, UpdateFileNameMustBeginWithTheModuleName)
{
    struct Case {
        std::wstring path;
        HRESULT expected;
    };
    const Case cases[] = {
        {temp.File(L"appatlas_1201.upd"), kBadFormat},
        {temp.File(L"appatlas"), kBadFormat},
        {temp.File(L"appatlas\\update.upd"), kFileInvalid},
        {temp.File(L"APPATLAS_1201.upd"), kFileInvalid},
        {temp.File(L"xappatlas.upd"), kFileInvalid},
        {temp.File(L"appatla"), kFileInvalid},
        {temp.File(L"appatlas_1201\\"), kFileInvalid},
        {L"", kFileInvalid},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        RemoveTree(dataDirectory);
        EXPECT_EQ(cases[i].expected, helper->ApplyUpdate(cases[i].path.c_str())) << "case " << i;
        EXPECT_EQ(cases[i].expected != kFileInvalid, Exists(dataDirectory)) << "case " << i;
    }
}

TEST_F(UpdateFace, SuccessReplacesTheDataFileAndLeavesNoTemporaryFile)
{
    Install();
    const std::string update = ReadBytes(updatePath);
    ASSERT_EQ(S_OK, helper->ApplyUpdate(updatePath.c_str()));
    EXPECT_EQ(newFile, ReadBytes(dataFile));
    EXPECT_FALSE(Exists(newDataFile));
    EXPECT_EQ(update, ReadBytes(updatePath));
}

TEST_F(UpdateFace, StaleTemporaryFileIsOverwritten)
{
    Install();
    WriteBytes(newDataFile, std::string(newFile.size() * 3, 'z'));
    ASSERT_EQ(S_OK, helper->ApplyUpdate(updatePath.c_str()));
    EXPECT_EQ(newFile, ReadBytes(dataFile));
    EXPECT_FALSE(Exists(newDataFile));
}

// A delta applied to a data file it was not made for: with a checksum the
// decoder refuses it; without one it decodes to something that is no data
// file, which must not replace the library either.
TEST_F(UpdateFace, DeltaForAnotherDataFileLeavesTheDataFileAlone)
{
    std::string edited = oldFile;
    edited.replace(edited.size() - 20, 9, "other.exe");
    std::string foreign = oldFile;
    foreign[0] = 'X';
    for (bool checksum : {true, false}) {
        CreateDirectoryW(dataDirectory.c_str(), nullptr);
        WriteBytes(dataFile, foreign);
        WriteBytes(updatePath, UpdateFile(oldFile, edited, checksum));
        EXPECT_EQ(kBadFormat, helper->ApplyUpdate(updatePath.c_str())) << checksum;
        EXPECT_EQ(foreign, ReadBytes(dataFile)) << checksum;
    }
}

TEST_F(UpdateFace, EmptyDeltaIsRefusedBeforeAnythingIsWritten)
{
    Install();
    WriteBytes(updatePath, WrapDelta(""));
    EXPECT_EQ(kBadFormat, helper->ApplyUpdate(updatePath.c_str()));
    EXPECT_EQ(oldFile, ReadBytes(dataFile));
    EXPECT_FALSE(Exists(newDataFile));
}

TEST_F(UpdateFace, DataFileHeldOpenAtTheMoveKeepsTheNewFileBeside)
{
    Install();
    UniqueHandle reader(CreateFileW(dataFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader.Valid());
    const HRESULT result = helper->ApplyUpdate(updatePath.c_str());
    EXPECT_TRUE(result == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) ||
                result == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))
        << std::hex << result;
    reader.Reset();
    EXPECT_EQ(oldFile, ReadBytes(dataFile));
    EXPECT_EQ(newFile, ReadBytes(newDataFile));
}

// Both calls share appatlas.dat.0 and only sharing modes keep them apart, so
// either may lose the race (both can, when each one's move meets the other's
// open file). The data file is always whole: the new library once any call
// succeeded, else the old one untouched.
TEST_F(UpdateFace, ConcurrentUpdatesLeaveAWholeLibrary)
{
    const HRESULT allowed[] = {S_OK, kBadFormat, HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION),
                               HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)};
    for (int round = 0; round < 5; ++round) {
        Install();
        DeleteFileW(newDataFile.c_str());
        HRESULT results[2] = {};
        std::atomic<int> ready(0);
        auto run = [&](int i) {
            ++ready;
            while (ready < 2) {
            }
            results[i] = helper->ApplyUpdate(updatePath.c_str());
        };
        std::thread first(run, 0), second(run, 1);
        first.join();
        second.join();
        for (HRESULT result : results)
            EXPECT_NE(std::end(allowed), std::find(std::begin(allowed), std::end(allowed), result)) << std::hex << result;
        const std::string after = ReadBytes(dataFile);
        if (results[0] == S_OK || results[1] == S_OK)
            EXPECT_EQ(newFile, after);
        else
            EXPECT_TRUE(after == newFile || after == oldFile) << "a failed pair must leave a whole library";
    }
}

TEST_F(UpdateFace, LoadedQueryObjectKeepsItsLibrary)
{
    const auto createQuery = module.Get<PFN_APPATLAS_CREATE_QUERY>("a");
    const auto destroyQuery = module.Get<PFN_APPATLAS_DESTROY_QUERY>("b");
    ASSERT_NE(nullptr, createQuery);
    Install();
    const wchar_t oldExe[] = L"C:\\nowhere\\Vendor\\App\\app.exe";
    const wchar_t newExe[] = L"C:\\nowhere\\Vendor\\App\\other.exe";

    IProcessLibQuery* before = createQuery(APPATLAS_QUERY_VERSION);
    ASSERT_EQ(1, before->Init(nullptr));
    ASSERT_EQ(S_OK, helper->ApplyUpdate(updatePath.c_str()));
    IProcessLibQuery* after = createQuery(APPATLAS_QUERY_VERSION);
    ASSERT_EQ(1, after->Init(nullptr));

    EXPECT_EQ(1, before->QueryProcessInfo(oldExe, nullptr));
    EXPECT_EQ(0, before->QueryProcessInfo(newExe, nullptr));
    EXPECT_EQ(0, after->QueryProcessInfo(oldExe, nullptr));
    EXPECT_EQ(1, after->QueryProcessInfo(newExe, nullptr));
    destroyQuery(before);
    destroyQuery(after);
}

}  // namespace
