// The named event serialises OEM calls across processes.

#include "HostProcess.h"

#include "environment/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

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

TEST(OemLock, ASecondProcessWaitsUntilTheFirstLeavesItsQuery)
{
    const std::wstring id = std::to_wstring(GetCurrentProcessId());
    UniqueHandle entered(CreateEventW(nullptr, FALSE, FALSE, (L"aat-entered-" + id).c_str()));
    UniqueHandle go(CreateEventW(nullptr, TRUE, FALSE, (L"aat-go-" + id).c_str()));
    ASSERT_TRUE(entered.Valid());
    ASSERT_TRUE(go.Valid());
    EnvironmentVariable enteredName(L"BRANDHUB_ENTERED", L"aat-entered-" + id);
    EnvironmentVariable goName(L"BRANDHUB_GO", L"aat-go-" + id);

    HostDirectory host(L"block");
    std::map<std::wstring, std::wstring> first, second;
    std::thread firstRun([&] { first = host.Run(L"oem-int"); });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(entered.Get(), 30000));

    std::thread secondRun([&] { second = host.Run(L"oem-int"); });
    // While the first process holds the lock inside its query, the second
    // does not get into the OEM DLL.
    EXPECT_EQ(DWORD(WAIT_TIMEOUT), WaitForSingleObject(entered.Get(), 1500));
    SetEvent(go.Get());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(entered.Get(), 30000));
    firstRun.join();
    secondRun.join();

    EXPECT_EQ(L"-1", first[L"int"]);
    EXPECT_EQ(L"-1", second[L"int"]);
    const std::vector<std::string> log = host.OemLog();
    ASSERT_EQ(6u, log.size());
    const std::string firstPid = log[1].substr(6), secondPid = log[4].substr(6);
    EXPECT_NE(firstPid, secondPid);
    EXPECT_EQ((std::vector<std::string>{"int 13", "enter " + firstPid, "leave " + firstPid, "int 13",
                                        "enter " + secondPid, "leave " + secondPid}),
              log);
}

} // namespace
