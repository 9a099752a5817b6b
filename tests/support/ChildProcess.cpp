#include "ChildProcess.h"

#include "environment/UniqueHandle.h"

#include <windows.h>

#include <stdexcept>
#include <thread>

namespace {

void MakePipe(UniqueHandle& readEnd, UniqueHandle& writeEnd)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE r, w;
    if (!CreatePipe(&r, &w, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
    readEnd.Reset(r);
    writeEnd.Reset(w);
    SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0);
}

void Drain(HANDLE pipe, std::string& into)
{
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) into.append(buffer, read);
}

} // namespace

std::wstring Quote(const std::wstring& argument)
{
    return L"\"" + argument + L"\"";
}

ChildResult RunChild(const std::wstring& commandLine)
{
    UniqueHandle outRead, outWrite, errRead, errWrite;
    MakePipe(outRead, outWrite);
    MakePipe(errRead, errWrite);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite.Get();
    startup.hStdError = errWrite.Get();
    PROCESS_INFORMATION process = {};
    std::wstring mutableLine = commandLine;
    if (!CreateProcessW(nullptr, &mutableLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("CreateProcessW failed");
    UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    outWrite.Reset();
    errWrite.Reset();

    ChildResult result;
    std::thread errReader([&] { Drain(errRead.Get(), result.Err); });
    Drain(outRead.Get(), result.Out);
    errReader.join();
    WaitForSingleObject(processHandle.Get(), INFINITE);
    GetExitCodeProcess(processHandle.Get(), &result.ExitCode);
    return result;
}
