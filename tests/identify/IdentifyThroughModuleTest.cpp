// Identification as a host sees it: appatlas.dll loaded by name, a packed
// library, and fixture files that only their version resource or their
// signature tells apart.
#include <appatlas.h>

#include "FileFixtures.h"
#include "IdentifyFixtures.h"
#include "TempDirectory.h"
#include "library/LibraryFileBuilder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

const char kLibrary[] = R"(<ProcessLib>
  <Paths><Path id="1" value="Vendor\App"/><Path id="2" value="Elsewhere"/></Paths>
  <CompanyNames><Company id="1" Value="Vendor Fixture Co"/><Company id="2" Value="Someone Else"/></CompanyNames>
  <SignNames><Signer id="1" Value="Nobody"/><Signer id="2" Value="AppAtlas Test Signer"/></SignNames>
  <Processes>
    <Process Name="app.exe">
      <Item id="1" DisplayName="By directory" Description="Directory" PathIndex="1"
            CompanyNameIndex="2" SignNameIndex="1" ProcessType="4" CanClose="0" SoftId="dir"/>
      <Item id="2" DisplayName="By company" Description="Company" PathIndex="2"
            CompanyNameIndex="1" SignNameIndex="1" ProcessType="5" CanClose="1" SoftId="company"/>
    </Process>
    <Process Name="tool.exe">
      <Item id="3" DisplayName="Unsigned tool" Description="Tool" PathIndex="-1"
            CompanyNameIndex="1" SignNameIndex="1" SoftId="tool.other"/>
      <Item id="4" DisplayName="Signed tool" Description="Signed tool" PathIndex="-1"
            CompanyNameIndex="1" SignNameIndex="2" SoftId="tool.signed"/>
    </Process>
  </Processes>
</ProcessLib>)";

class IdentifyThroughModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryW(L"appatlas.dll");
        ASSERT_NE(nullptr, module);
        create = reinterpret_cast<PFN_APPATLAS_CREATE_QUERY>(reinterpret_cast<void*>(GetProcAddress(module, "a")));
        destroy = reinterpret_cast<PFN_APPATLAS_DESTROY_QUERY>(reinterpret_cast<void*>(GetProcAddress(module, "b")));
        ASSERT_TRUE(create && destroy);
        query = create(APPATLAS_QUERY_VERSION);
        ASSERT_NE(nullptr, query);
        WriteBytes(temp.File(L"appatlas.dat"), BuildLibraryFile(kLibrary, 0x5A, 1));
        ASSERT_EQ(1, query->Init(temp.File(L"appatlas.dat").c_str()));
    }
    void TearDown() override
    {
        if (query) destroy(query);
        if (module) FreeLibrary(module);
    }
    // The record's id for path, or 0 when the library does not know it.
    int QueryId(const std::wstring& path)
    {
        ProcessLibInfo* info = nullptr;
        if (query->QueryProcessInfo(path.c_str(), &info) != 1) return 0;
        const int id = info->Id;
        query->FreeProcessInfo(info);
        return id;
    }

    TempDirectory temp;
    HMODULE module = nullptr;
    PFN_APPATLAS_CREATE_QUERY create = nullptr;
    PFN_APPATLAS_DESTROY_QUERY destroy = nullptr;
    IProcessLibQuery* query = nullptr;
};

TEST_F(IdentifyThroughModule, DirectoryStageNeedsNoFile)
{
    // No file at this path: only the directory can have decided.
    ProcessLibInfo* info = nullptr;
    ASSERT_EQ(1, query->QueryProcessInfo(L"C:\\nowhere\\Vendor\\App\\app.exe", &info));
    EXPECT_EQ(1, info->Id);
    EXPECT_STREQ(L"app.exe", info->Name);
    EXPECT_STREQ(L"By directory", info->DisplayName);
    EXPECT_STREQ(L"Directory", info->Description);
    EXPECT_STREQ(L"Vendor\\App", info->Path);
    EXPECT_EQ(0, info->Reserved);
    EXPECT_STREQ(L"Someone Else", info->CompanyName);
    EXPECT_STREQ(L"Nobody", info->SignName);
    EXPECT_STREQ(L"dir", info->SoftId);
    EXPECT_EQ(4, info->ProcessType);
    EXPECT_EQ(0, info->CanClose);
    query->FreeProcessInfo(info);
}

TEST_F(IdentifyThroughModule, CompanyStageReadsTheVersionResource)
{
    const std::wstring path = temp.File(L"Other\\Place\\app.exe");
    EXPECT_EQ(0, QueryId(path));  // no file yet: no company, no signer
    CopyFixture(L"fixture-0409.exe", path);
    EXPECT_EQ(2, QueryId(path));
    // Another company: the directory did not settle and nothing else does.
    const std::wstring other = temp.File(L"Other\\Zh\\app.exe");
    CopyFixture(L"fixture-0804.exe", other);
    EXPECT_EQ(0, QueryId(other));
}

TEST_F(IdentifyThroughModule, SignerStageDecidesWhenTheCompanyIsShared)
{
    CopyFixture(L"signed.exe", temp.File(L"signed\\tool.exe"));
    CopyFixture(L"tampered.exe", temp.File(L"tampered\\tool.exe"));
    CopyFixture(L"fixture-0409.exe", temp.File(L"unsigned\\tool.exe"));

    ProcessLibInfo* info = nullptr;
    ASSERT_EQ(1, query->QueryProcessInfo(temp.File(L"signed\\tool.exe").c_str(), &info));
    EXPECT_EQ(4, info->Id);
    EXPECT_STREQ(L"AppAtlas Test Signer", info->SignName);
    EXPECT_STREQ(L"Vendor Fixture Co", info->CompanyName);
    EXPECT_STREQ(L"", info->Path);
    query->FreeProcessInfo(info);

    // A broken signature names no signer, and no table entry is empty.
    EXPECT_EQ(0, QueryId(temp.File(L"tampered\\tool.exe")));
    EXPECT_EQ(0, QueryId(temp.File(L"unsigned\\tool.exe")));
}

} // namespace
