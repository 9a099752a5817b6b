#include "HostProcess.h"

#include "FileFixtures.h"

#include <windows.h>

#include <sstream>
#include <stdexcept>

HostDirectory::HostDirectory(const std::wstring& variant, const std::wstring& hostName)
    : host_(temp_.File(hostName))
{
    const std::wstring bin = TestBinaryDirectory();
    if (!CopyFileW((bin + L"\\envhost.exe").c_str(), host_.c_str(), FALSE))
        throw std::runtime_error("cannot copy the host");
    if (!variant.empty() &&
        !CopyFileW((bin + L"\\oem\\" + variant + L"\\brandhub.dll").c_str(), temp_.File(L"brandhub.dll").c_str(),
                   FALSE))
        throw std::runtime_error("cannot copy the OEM variant");
}

void HostDirectory::CopyIn(const std::wstring& name) const
{
    if (!CopyFileW((TestBinaryDirectory() + L"\\" + name).c_str(), temp_.File(name).c_str(), FALSE))
        throw std::runtime_error("cannot copy a product binary");
}

ChildResult HostDirectory::RunRaw(const std::wstring& arguments) const
{
    return RunChild(Quote(host_) + L" " + arguments);
}

std::map<std::wstring, std::wstring> HostDirectory::Run(const std::wstring& arguments) const
{
    const ChildResult result = RunRaw(arguments);
    if (result.ExitCode != 0) throw std::runtime_error("the host failed: " + std::to_string(result.ExitCode));
    std::map<std::wstring, std::wstring> values;
    std::istringstream lines(result.Out);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        if (equals != std::string::npos) values[Widen(line.substr(0, equals))] = Widen(line.substr(equals + 1));
    }
    return values;
}

std::vector<std::string> HostDirectory::OemLog() const
{
    std::vector<std::string> lines;
    if (GetFileAttributesW(temp_.File(L"brandhub.log").c_str()) == INVALID_FILE_ATTRIBUTES) return lines;
    std::istringstream text(ReadBytes(temp_.File(L"brandhub.log")));
    std::string line;
    while (std::getline(text, line)) lines.push_back(line);
    return lines;
}
