#include "Commands.h"
#include "Console.h"

#include "library/LibraryFile.h"
#include "library/ProcessLibData.h"

#include <cstdio>

namespace {

std::wstring Hex(unsigned value)
{
    wchar_t text[16];
    swprintf(text, 16, L"0x%08X", value);
    return text;
}

void Line(const wchar_t* name, const std::wstring& value)
{
    Out(std::wstring(name) + L": " + value + L"\n");
}

} // namespace

int RunInspect(const Arguments& args)
{
    if (args.size() != 1) return UsageError(L"inspect needs IN.dat");
    const std::wstring& input = args[0];

    LibraryFileHeader header;
    const HeaderVerdict verdict = InspectLibraryFileHeader(input, header);
    if (verdict == HeaderVerdict::CannotOpen || verdict == HeaderVerdict::TooSmall ||
        verdict == HeaderVerdict::ShortHeaderRead) {
        Err(L"appatlas-cli: " + input + L": " + DescribeHeaderVerdict(verdict) + L"\n");
        return kExitFailure;
    }

    Line(L"Magic", Hex(header.Magic));
    Line(L"CompatLevel", std::to_wstring(header.CompatLevel));
    Line(L"FileSize", std::to_wstring(header.FileSize));
    Line(L"DataOffset", std::to_wstring(header.DataOffset));
    Line(L"DataLength", std::to_wstring(header.DataLength));
    Line(L"ScrambleMethod", std::to_wstring(header.ScrambleMethod));
    Line(L"ScrambleKey", Hex(header.ScrambleKey));

    if (verdict != HeaderVerdict::Valid) {
        Err(L"appatlas-cli: " + input + L": " + DescribeHeaderVerdict(verdict) + L"\n");
        return kExitFailure;
    }
    if (header.CompatLevel > kMaxCompatLevel) {
        Err(L"appatlas-cli: " + input + L": CompatLevel " + std::to_wstring(header.CompatLevel) +
            L" is newer than this module loads (at most " + std::to_wstring(kMaxCompatLevel) + L")\n");
        return kExitFailure;
    }
    VqDatLibContent content;
    if (!ReadLibraryFile(input, content)) {
        Err(L"appatlas-cli: " + input + L": payload cannot be read (ScrambleMethod " +
            std::to_wstring(header.ScrambleMethod) + L" is not 1)\n");
        return kExitFailure;
    }
    ProcessLibData store;
    if (!store.LoadFromText(content.Text.get(), content.TextLength)) {
        Err(L"appatlas-cli: " + input + L": library does not load: " + store.LoadFailure() + L"\n");
        return kExitFailure;
    }

    size_t groups = 0;
    for (auto it = store.ItemsByName.begin(); it != store.ItemsByName.end();
         it = store.ItemsByName.upper_bound(it->first))
        ++groups;
    Line(L"Paths", std::to_wstring(store.Paths.size()));
    Line(L"CompanyNames", std::to_wstring(store.CompanyNames.size()));
    Line(L"SignNames", std::to_wstring(store.SignNames.size()));
    Line(L"Groups", std::to_wstring(groups));
    Line(L"Items", std::to_wstring(store.ItemsByName.size()));
    Line(L"MaxPathId", std::to_wstring(store.MaxPathId));
    Line(L"MaxCompanyNameId", std::to_wstring(store.MaxCompanyNameId));
    Line(L"MaxSignNameId", std::to_wstring(store.MaxSignNameId));
    Line(L"MaxProcessItemId", std::to_wstring(store.MaxProcessItemId));
    return kExitOk;
}
