#include "query/ProcessLibQueryImp.h"

#include "FileFixtures.h"
#include "TempDirectory.h"
#include "library/LibraryFileBuilder.h"

#include <gtest/gtest.h>

namespace {

const char kLibrary[] =
    "<ProcessLib><Paths><p id='1' value='x'/></Paths><CompanyNames><c id='1' Value='y'/></CompanyNames>"
    "<SignNames><s id='1' Value='z'/></SignNames><Processes><g Name='a.exe'><i id='1'/></g></Processes>"
    "</ProcessLib>";

TEST(ProcessLibQueryImp, EachFailedAttemptReplacesTheContext)
{
    TempDirectory temp;
    CProcessLibQueryImp query;
    EXPECT_EQ(nullptr, query.Context.get());
    EXPECT_EQ(0, query.Loaded);

    const std::wstring missing = temp.File(L"missing.dat");
    EXPECT_EQ(0, query.Init(missing.c_str()));
    ASSERT_NE(nullptr, query.Context.get());
    EXPECT_EQ(missing, query.Context->LibraryPath);

    const std::wstring other = temp.File(L"other.dat");
    EXPECT_EQ(0, query.Init(other.c_str()));
    EXPECT_EQ(other, query.Context->LibraryPath) << "a fresh context per attempt";

    const std::wstring good = temp.File(L"good.dat");
    WriteBytes(good, BuildLibraryFile(kLibrary, 9, 0));
    EXPECT_EQ(1, query.Init(good.c_str()));
    EXPECT_EQ(1, query.Loaded);
    ProcessLibContext* loaded = query.Context.get();
    EXPECT_EQ(1, query.Init(missing.c_str()));
    EXPECT_EQ(loaded, query.Context.get()) << "a loaded object never loads again";
    EXPECT_EQ(1u, loaded->Store->ItemsByName.size());
}

} // namespace
