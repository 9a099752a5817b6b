// Load benchmark: for synthetic libraries of several sizes, the time Init
// takes on the packed data file against the time TinyXML alone takes to
// parse the same text, and the process's peak working set.
//
//   appatlas-bench-load.exe                 the table for 1,000 / 10,000 / 100,000 items
//   appatlas-bench-load.exe --size N        one row (run in a child per size, so
//                                           each peak working set is its own)
//   appatlas-bench-load.exe --write N F     write the generated document to F

#include "load/LibraryGenerator.h"

#include <appatlas.h>
#include <tinyxml.h>

#include "library/LibraryFileBuilder.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

const int kRuns = 5;

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

bool WriteWhole(const std::wstring& path, const std::string& bytes)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

std::wstring ThisExe()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

int RunRow(int items)
{
    const std::string document = GenerateLibrary(items);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dat = std::wstring(temp) + L"appatlas-bench-" + std::to_wstring(GetCurrentProcessId()) + L".dat";
    if (!WriteWhole(dat, BuildLibraryFile(document, 0x5A, 0))) return 1;

    HMODULE module = LoadLibraryW(L"appatlas.dll");
    if (!module) return 1;
    auto create = reinterpret_cast<PFN_APPATLAS_CREATE_QUERY>(reinterpret_cast<void*>(GetProcAddress(module, "a")));
    auto destroy = reinterpret_cast<PFN_APPATLAS_DESTROY_QUERY>(reinterpret_cast<void*>(GetProcAddress(module, "b")));

    double initBest = 1e9, parseBest = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        IProcessLibQuery* query = create(1);
        const double start = Seconds();
        const int loaded = query->Init(dat.c_str());
        initBest = std::min(initBest, Seconds() - start);
        destroy(query);
        if (!loaded) return 1;

        // The parser alone, on the text exactly as Init hands it over (line
        // ends already normalised there, so normalise here too).
        std::string text;
        text.reserve(document.size());
        for (char c : document)
            if (c != '\r') text.push_back(c);
        const double parseStart = Seconds();
        TiXmlDocument xml;
        xml.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
        parseBest = std::min(parseBest, Seconds() - parseStart);
        if (xml.Error()) return 1;
    }
    DeleteFileW(dat.c_str());

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    printf("%9d  %10.2f  %10.1f  %12.1f  %6.2f  %10.1f\n", items, document.size() / 1048576.0, initBest * 1000,
           parseBest * 1000, initBest / parseBest, memory.PeakWorkingSetSize / 1048576.0);
    FreeLibrary(module);
    return 0;
}

int RunTable()
{
    printf("    items  size (MiB)  Init (ms)  TinyXML (ms)   ratio  peak WS (MiB)\n");
    fflush(stdout);
    for (int items : {1000, 10000, 100000}) {
        std::wstring command = L"\"" + ThisExe() + L"\" --size " + std::to_wstring(items);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child = {};
        if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child))
            return 1;
        WaitForSingleObject(child.hProcess, INFINITE);
        DWORD code = 1;
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        if (code != 0) {
            fprintf(stderr, "the run with %d items failed\n", items);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--size") return RunRow(atoi(argv[2]));
    if (argc == 4 && std::string(argv[1]) == "--write") {
        const std::string doc = GenerateLibrary(atoi(argv[2]));
        FILE* f = fopen(argv[3], "wb");
        if (!f) return 1;
        fwrite(doc.data(), 1, doc.size(), f);
        return fclose(f) == 0 ? 0 : 1;
    }
    if (argc == 1) return RunTable();
    fprintf(stderr, "usage: appatlas-bench-load [--size N | --write N FILE]\n");
    return 2;
}
