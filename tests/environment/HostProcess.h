#pragma once
#include "ChildProcess.h"
#include "TempDirectory.h"

#include <map>
#include <string>
#include <vector>

// A fresh directory holding a copy of envhost.exe (under a name of the
// test's choice) and optionally one brandhub.dll variant, so that each case
// gets a process with its own branding record and OEM DLL.
class HostDirectory {
public:
    explicit HostDirectory(const std::wstring& variant = L"", const std::wstring& hostName = L"envhost.exe");

    const std::wstring& Path() const { return temp_.Path(); }
    std::wstring File(const std::wstring& name) const { return temp_.File(name); }
    // Copies a file of the test binary directory in beside the host.
    void CopyIn(const std::wstring& name) const;

    // Runs the host with arguments; "name=value" lines of its output.
    std::map<std::wstring, std::wstring> Run(const std::wstring& arguments) const;
    ChildResult RunRaw(const std::wstring& arguments) const;

    // The lines the OEM double (and the host's marker) wrote, in order.
    std::vector<std::string> OemLog() const;

private:
    TempDirectory temp_;
    std::wstring host_;
};
