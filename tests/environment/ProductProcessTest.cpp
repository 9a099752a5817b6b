// appatlas.dll as a host process sees it: loading from the data directory
// with no Init call, and what "appatlas-cli where" reports.

#include "FileFixtures.h"
#include "HostProcess.h"
#include "TestRegistryKey.h"
#include "library/LibraryFileBuilder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class EnvironmentVariable {
public:
    EnvironmentVariable(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~EnvironmentVariable() { SetEnvironmentVariableW(name_, nullptr); }

private:
    const wchar_t* name_;
};

void CopyFromBin(const std::wstring& name, const std::wstring& to)
{
    ASSERT_TRUE(CopyFileW((TestBinaryDirectory() + L"\\" + name).c_str(), to.c_str(), FALSE));
}

TEST(ProductProcess, QueryWithoutInitLoadsFromDataBesideTheModule)
{
    HostDirectory host;
    // The module lies apart from the host, so "beside the module" and
    // "beside the host" are different directories.
    ASSERT_TRUE(CreateDirectoryW(host.File(L"lib").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(host.File(L"lib\\Data").c_str(), nullptr));
    CopyFromBin(L"appatlas.dll", host.File(L"lib\\appatlas.dll"));
    WriteBytes(host.File(L"lib\\Data\\appatlas.dat"),
               BuildLibraryFile("<ProcessLib><Paths><p id='1' value='Vendor\\App'/></Paths>"
                                "<CompanyNames><c id='1' Value='Vendor'/></CompanyNames>"
                                "<SignNames><s id='1' Value='Vendor Inc'/></SignNames><Processes>"
                                "<g Name='envhost.exe'><i id='7' DisplayName='Env Host'/></g>"
                                "</Processes></ProcessLib>",
                                0x33, 0));

    const std::wstring query =
        L"query " + Quote(host.File(L"lib\\appatlas.dll")) + L" " + Quote(host.File(L"envhost.exe"));
    // The same library named explicitly must be found first; without that
    // the default location cannot be told from a failed match.
    auto control = host.Run(query + L" " + Quote(host.File(L"lib\\Data\\appatlas.dat")));
    ASSERT_EQ(L"1", control[L"init"]);
    if (control[L"known"] != L"1") GTEST_SKIP() << "this build's module matches no executable yet";

    auto values = host.Run(query);
    EXPECT_EQ(L"1", values[L"known"]);
    EXPECT_EQ(L"7", values[L"id"]);
    EXPECT_EQ(L"Env Host", values[L"display"]);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(host.File(L"Data").c_str()));
}

class WhereCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyFromBin(L"appatlas-cli.exe", temp.File(L"appatlas-cli.exe"));
        CopyFromBin(L"appatlas.dll", temp.File(L"appatlas.dll"));
    }
    ChildResult Where()
    {
        ChildResult result = RunChild(Quote(temp.File(L"appatlas-cli.exe")) + L" where");
        std::string out;
        for (char c : result.Out)
            if (c != '\r') out += c;
        result.Out = out;
        return result;
    }

    TempDirectory temp;
};

TEST_F(WhereCommand, DefaultsAndTheDataDirectoryBesideTheModule)
{
    const ChildResult result = Where();
    const std::wstring data = temp.File(L"Data\\appatlas.dat");
    EXPECT_EQ(0u, result.ExitCode) << result.Err;
    EXPECT_EQ("RegistryKey: HKEY_LOCAL_MACHINE\\SOFTWARE\\Norvane\\Quillo\n"
              "ProductName: Quillo\n"
              "ThirdBrandingName: TrovaRecycle\n"
              "DataFile: " + std::string(data.begin(), data.end()) + "\n",
              result.Out);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(temp.File(L"Data").c_str()));
}

TEST_F(WhereCommand, OemBrandingAndItsRegistryValue)
{
    TestRegistryKey key;
    EnvironmentVariable oemKey(L"BRANDHUB_KEY", key.Name());
    CopyFromBin(L"oem\\on\\brandhub.dll", temp.File(L"brandhub.dll"));
    key.SetString(temp.File(L"Lib"));

    const ChildResult result = Where();
    EXPECT_EQ(0u, result.ExitCode) << result.Err;
    const std::wstring keyPath = key.Path();
    const std::wstring data = temp.File(L"Lib\\appatlas.dat");
    EXPECT_EQ("RegistryKey: HKEY_LOCAL_MACHINE\\" + std::string(keyPath.begin(), keyPath.end()) + "\n" +
                  "ProductName: OemProduct\nThirdBrandingName: OemThird\nDataFile: " +
                  std::string(data.begin(), data.end()) + "\n",
              result.Out);
}

} // namespace
