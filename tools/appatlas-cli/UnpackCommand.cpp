#include "Commands.h"
#include "Console.h"
#include "FileBytes.h"

#include "library/LibraryFile.h"

int RunUnpack(const Arguments& args)
{
    if (args.size() != 2) return UsageError(L"unpack needs IN.dat and OUT.xml");
    const std::wstring& input = args[0];
    const std::wstring& output = args[1];

    LibraryFileHeader header;
    const HeaderVerdict verdict = InspectLibraryFileHeader(input, header);
    if (verdict != HeaderVerdict::Valid) {
        Err(L"appatlas-cli: " + input + L": " + DescribeHeaderVerdict(verdict) + L"\n");
        return kExitFailure;
    }
    VqDatLibContent content;
    if (!ReadLibraryFile(input, content)) {
        Err(L"appatlas-cli: " + input + L": payload cannot be read (ScrambleMethod " +
            std::to_wstring(header.ScrambleMethod) + L")\n");
        return kExitFailure;
    }
    std::wstring error;
    if (!WriteFileBytes(output, std::string(content.Text.get(), content.TextLength), error)) {
        Err(L"appatlas-cli: " + output + L": " + error + L"\n");
        return kExitFailure;
    }
    return kExitOk;
}
