#include "Commands.h"
#include "Console.h"
#include "FileBytes.h"

#include "library/LibraryFileBuilder.h"

#include <cwchar>

namespace {

// Default scramble key of files we produce; any byte works.
const unsigned kDefaultKey = 0x5A;

bool ParseUnsigned(const std::wstring& text, unsigned long long max, unsigned long long& value)
{
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = wcstoull(text.c_str(), &end, 0);
    return errno == 0 && end != nullptr && *end == L'\0' && text[0] != L'-' && value <= max;
}

} // namespace

int RunPack(const Arguments& args)
{
    std::wstring input, output;
    unsigned long long key = kDefaultKey, compat = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--key" || arg == L"--compat") {
            if (i + 1 >= args.size()) return UsageError(arg + L" needs a value");
            const bool isKey = arg == L"--key";
            if (!ParseUnsigned(args[++i], isKey ? 0xFF : 0xFFFFFFFF, isKey ? key : compat))
                return UsageError(L"bad value '" + args[i] + L"' for " + arg);
        } else if (input.empty()) {
            input = arg;
        } else if (output.empty()) {
            output = arg;
        } else {
            return UsageError(L"pack: unexpected argument '" + arg + L"'");
        }
    }
    if (output.empty()) return UsageError(L"pack needs LIBRARY.xml and OUT.dat");

    std::string document;
    std::wstring error;
    if (!ReadFileBytes(input, document, error)) {
        Err(L"appatlas-cli: " + input + L": " + error + L"\n");
        return kExitFailure;
    }
    if (!WriteFileBytes(output, BuildLibraryFile(document, uint8_t(key), uint32_t(compat)), error)) {
        Err(L"appatlas-cli: " + output + L": " + error + L"\n");
        return kExitFailure;
    }
    return kExitOk;
}
