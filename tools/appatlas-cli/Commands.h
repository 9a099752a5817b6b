#pragma once
#include <string>
#include <vector>

// Exit codes of the tool.
const int kExitOk = 0;
const int kExitFailure = 1;
const int kExitUsage = 2;

using Arguments = std::vector<std::wstring>;

// Each command gets the arguments after its name and returns an exit code.
int RunPack(const Arguments& args);
int RunUnpack(const Arguments& args);
int RunInspect(const Arguments& args);
int RunQuery(const Arguments& args);
int RunWhere(const Arguments& args);
int RunDiff(const Arguments& args);
int RunApply(const Arguments& args);

// Prints the usage text to stderr and returns kExitUsage.
int UsageError(const std::wstring& message);
