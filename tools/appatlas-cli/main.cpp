// appatlas-cli: the host and publisher tool for process libraries.

#include "Commands.h"
#include "Console.h"

#include <windows.h>

namespace {

const wchar_t kUsage[] =
    L"usage: appatlas-cli COMMAND [ARGUMENTS]\n"
    L"\n"
    L"commands:\n"
    L"  pack LIBRARY.xml OUT.dat [--key N] [--compat N]\n"
    L"                       wrap a library document in a data file\n"
    L"  unpack IN.dat OUT.xml\n"
    L"                       write the descrambled document of a data file\n"
    L"  inspect IN.dat       print the header and what the library holds\n"
    L"  query [--library FILE.dat] [--json] PATH...\n"
    L"                       identify executables with appatlas.dll (exit 1\n"
    L"                       when one is not in the library)\n"
    L"  where                print the branding and the data file path that\n"
    L"                       appatlas.dll beside this tool uses\n"
    L"  diff OLD.dat NEW.dat OUT.upd [--checksum]\n"
    L"                       write an update file that turns OLD into NEW\n"
    L"                       (--checksum: refused when applied to another file)\n"
    L"  apply UPDATE.upd     apply an update file with appatlas.dll beside this\n"
    L"                       tool and print the result code\n"
    L"  help                 print this text\n"
    L"\n"
    L"exit codes: 0 success, 1 failure, 2 usage error\n";

} // namespace

int UsageError(const std::wstring& message)
{
    if (!message.empty()) Err(L"appatlas-cli: " + message + L"\n");
    Err(kUsage);
    return kExitUsage;
}

int wmain(int argc, wchar_t** argv)
{
    try {
        if (argc < 2) return UsageError(L"no command given");
        const std::wstring command = argv[1];
        const Arguments args(argv + 2, argv + argc);

        if (command == L"pack") return RunPack(args);
        if (command == L"unpack") return RunUnpack(args);
        if (command == L"inspect") return RunInspect(args);
        if (command == L"query") return RunQuery(args);
        if (command == L"where") return RunWhere(args);
        if (command == L"diff") return RunDiff(args);
        if (command == L"apply") return RunApply(args);
        if (command == L"help" || command == L"--help" || command == L"-h") {
            Out(kUsage);
            return kExitOk;
        }
        return UsageError(L"unknown command '" + command + L"'");
    } catch (const std::exception& e) {
        Err(L"appatlas-cli: " + std::wstring(e.what(), e.what() + strlen(e.what())) + L"\n");
        return kExitFailure;
    }
}
