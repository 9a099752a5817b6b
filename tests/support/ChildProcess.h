#pragma once
#include <string>

// Runs a program to completion with stdout and stderr captured.
struct ChildResult {
    unsigned long ExitCode = 0;
    std::string Out;
    std::string Err;
};

// commandLine is passed to CreateProcessW as it is (quote arguments with
// spaces yourself); the child inherits this process's environment.
ChildResult RunChild(const std::wstring& commandLine);
std::wstring Quote(const std::wstring& argument);
