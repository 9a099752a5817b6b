// An update made by another VCDIFF encoder, xdelta3, applied through the
// update face: the data file must become the new file byte for byte.

#include <appatlas.h>

#include "FileFixtures.h"
#include "TempDirectory.h"
#include "UpdateFixtures.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(UpdateInterop, ThirdPartyDeltaReplacesTheDataFile)
{
    const std::wstring fixtures = TestBinaryDirectory() + L"\\update-fixtures\\";
    TempDirectory temp;
    const std::wstring module = temp.File(L"appatlas.dll");
    ASSERT_TRUE(CopyFileW((TestBinaryDirectory() + L"\\appatlas.dll").c_str(), module.c_str(), FALSE));
    const std::wstring data = temp.File(L"Data");
    CreateDirectoryW(data.c_str(), nullptr);
    const std::string newFile = ReadBytes(fixtures + L"new.dat");
    WriteBytes(data + L"\\appatlas.dat", ReadBytes(fixtures + L"old.dat"));
    const std::wstring update = temp.File(L"appatlas_interop.upd");
    WriteBytes(update, WrapDelta(ReadBytes(fixtures + L"new.xd3")));

    HMODULE handle = LoadLibraryW(module.c_str());
    ASSERT_NE(nullptr, handle);
    const auto create = reinterpret_cast<PFN_APPATLAS_CREATE_UPDATE_HELPER>(
        reinterpret_cast<void*>(GetProcAddress(handle, "CreateUpdateHelper")));
    IUpdateHelper* helper = nullptr;
    ASSERT_EQ(S_OK, create(&IID_IUpdateHelper, reinterpret_cast<void**>(&helper)));
    EXPECT_EQ(S_OK, helper->ApplyUpdate(update.c_str()));
    helper->Release();
    FreeLibrary(handle);
    EXPECT_TRUE(newFile == ReadBytes(data + L"\\appatlas.dat"));
}

}  // namespace
