// Query throughput on the 100,000-item synthetic library, per deciding stage:
// directory (in the matcher and through appatlas.dll), company (the version
// resource of this executable, read on every query), signer answered from the
// cache, and the first, uncached signer lookup of a signed file.
//
// usage: appatlas-bench-query [SIGNED.exe]   (without it the signer rows are
// skipped; scripts pass the signed fixture the tests tree builds)
#include "load/LibraryGenerator.h"

#include <appatlas.h>

#include "identify/FileSignerName.h"
#include "identify/ProcessMatcher.h"
#include "library/LibraryFileBuilder.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kItems = 100000;

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Seconds() const
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return double(now.QuadPart - start_.QuadPart) / double(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_;
};

void Row(const char* what, long queries, double seconds)
{
    printf("| %-52s | %9ld | %8.3f | %12.0f |\n", what, queries, seconds, double(queries) / seconds);
}

std::wstring SelfPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring Directory(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

// Groups whose answers come from the file itself: this executable by its
// company, a signed copy by its signer. Both put two items with different
// descriptions and -1 paths under one name, so the directory stage never
// settles them.
std::string WithFileDecidedGroups(std::string doc)
{
    doc.insert(doc.find("  </CompanyNames>"), "    <Company id=\"900001\" Value=\"AppAtlas Bench Co\"/>\r\n");
    doc.insert(doc.find("  </SignNames>"), "    <Signer id=\"900001\" Value=\"AppAtlas Test Signer\"/>\r\n");
    doc.insert(doc.find("  </Processes>"),
               "    <Process Name=\"appatlas-bench-query.exe\">\r\n"
               "      <Item id=\"900001\" Description=\"Bench A\" PathIndex=\"-1\" CompanyNameIndex=\"900001\" SignNameIndex=\"-1\"/>\r\n"
               "      <Item id=\"900002\" Description=\"Bench B\" PathIndex=\"-1\" CompanyNameIndex=\"2\" SignNameIndex=\"-1\"/>\r\n"
               "    </Process>\r\n"
               "    <Process Name=\"signed-bench.exe\">\r\n"
               "      <Item id=\"900003\" Description=\"Signed C\" PathIndex=\"-1\" CompanyNameIndex=\"-1\" SignNameIndex=\"900001\"/>\r\n"
               "      <Item id=\"900004\" Description=\"Signed D\" PathIndex=\"-1\" CompanyNameIndex=\"-1\" SignNameIndex=\"1\"/>\r\n"
               "    </Process>\r\n");
    return doc;
}

int g_factReads = 0;
std::wstring CountedRead(const wchar_t*)
{
    ++g_factReads;
    return std::wstring();
}

// Paths that the directory stage settles: an install directory of the item
// and its file name, kept when the matcher reads no file fact for them.
std::vector<std::wstring> DirectorySettledPaths(const ProcessLibData& store, size_t wanted)
{
    const FileFactReaders counting = {CountedRead, CountedRead};
    std::vector<std::wstring> paths;
    for (const auto& entry : store.ItemsByName) {
        const auto text = store.Paths.find(entry.second.PathIndex);
        if (text == store.Paths.end()) continue;
        const std::wstring path = L"C:\\Program Files\\" + text->second + L"\\" + entry.first;
        ProcessItem item;
        g_factReads = 0;
        if (MatchProcessItem(store, path, item, counting) == 1 && g_factReads == 0) paths.push_back(path);
        if (paths.size() == wanted) break;
    }
    return paths;
}

class Module {
public:
    Module() : handle_(LoadLibraryW((Directory(SelfPath()) + L"\\appatlas.dll").c_str()))
    {
        if (handle_ == nullptr) return;
        create = reinterpret_cast<PFN_APPATLAS_CREATE_QUERY>(reinterpret_cast<void*>(GetProcAddress(handle_, "a")));
        destroy = reinterpret_cast<PFN_APPATLAS_DESTROY_QUERY>(reinterpret_cast<void*>(GetProcAddress(handle_, "b")));
    }
    ~Module()
    {
        if (handle_ != nullptr) FreeLibrary(handle_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    bool Ready() const { return create != nullptr && destroy != nullptr; }

    PFN_APPATLAS_CREATE_QUERY create = nullptr;
    PFN_APPATLAS_DESTROY_QUERY destroy = nullptr;

private:
    HMODULE handle_;
};

bool WriteWhole(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring signedFile = argc > 1 ? argv[1] : L"";
    const std::string doc = WithFileDecidedGroups(GenerateLibrary(kItems));
    ProcessLibData store;
    if (!store.LoadFromText(doc.c_str(), doc.size())) {
        fprintf(stderr, "the synthetic library does not load\n");
        return 1;
    }

    wchar_t tempRoot[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempRoot);
    const std::wstring work = std::wstring(tempRoot) + L"appatlas-bench-query-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(work.c_str(), nullptr);
    const std::wstring dat = work + L"\\appatlas.dat";
    if (!WriteWhole(dat, BuildLibraryFile(doc, 0x5A, 1))) {
        fprintf(stderr, "cannot write the packed library\n");
        return 1;
    }

    const std::vector<std::wstring> settled = DirectorySettledPaths(store, 10000);
    const std::wstring self = SelfPath();
    printf("library: %d items, %u directory-settled paths sampled\n\n", kItems, unsigned(settled.size()));
    printf("| %-52s | %9s | %8s | %12s |\n", "case", "queries", "seconds", "queries/s");
    printf("|%s|%s|%s|%s|\n", std::string(54, '-').c_str(), std::string(11, '-').c_str(),
           std::string(10, '-').c_str(), std::string(14, '-').c_str());

    {
        const long rounds = 200;
        ProcessItem item;
        long matched = 0;
        const Stopwatch clock;
        for (long r = 0; r < rounds; ++r)
            for (const std::wstring& path : settled) matched += MatchProcessItem(store, path, item);
        Row("directory stage, MatchProcessItem", matched, clock.Seconds());
    }

    Module module;
    IProcessLibQuery* query = module.Ready() ? module.create(APPATLAS_QUERY_VERSION) : nullptr;
    if (query == nullptr || query->Init(dat.c_str()) == 0) {
        fprintf(stderr, "appatlas.dll beside the benchmark does not load the library\n");
        return 1;
    }
    {
        const long rounds = 100;
        long matched = 0;
        const Stopwatch clock;
        for (long r = 0; r < rounds; ++r)
            for (const std::wstring& path : settled) matched += query->QueryProcessInfo(path.c_str(), nullptr);
        Row("directory stage, QueryProcessInfo (no record)", matched, clock.Seconds());
    }
    {
        const long queries = 2000;
        long matched = 0;
        const Stopwatch clock;
        for (long q = 0; q < queries; ++q) matched += query->QueryProcessInfo(self.c_str(), nullptr);
        Row("company stage (version resource), QueryProcessInfo", matched, clock.Seconds());
    }

    if (!signedFile.empty()) {
        const int copies = 20;
        std::vector<std::wstring> paths;
        for (int c = 0; c < copies; ++c) {
            const std::wstring dir = work + L"\\s" + std::to_wstring(c);
            CreateDirectoryW(dir.c_str(), nullptr);
            paths.push_back(dir + L"\\signed-bench.exe");
            CopyFileW(signedFile.c_str(), paths.back().c_str(), FALSE);
        }
        long matched = 0;
        const Stopwatch first;
        for (const std::wstring& path : paths) matched += query->QueryProcessInfo(path.c_str(), nullptr);
        Row("signer stage, first query of a signed file", matched, first.Seconds());

        const long rounds = 100;
        matched = 0;
        const Stopwatch cached;
        for (long r = 0; r < rounds; ++r)
            for (const std::wstring& path : paths) matched += query->QueryProcessInfo(path.c_str(), nullptr);
        Row("signer stage, answered by the signer cache", matched, cached.Seconds());

        const std::wstring lookupPath = work + L"\\lookup-signed.exe";
        CopyFileW(signedFile.c_str(), lookupPath.c_str(), FALSE);
        const Stopwatch lookup;
        const std::wstring name = GetFileSignerName(lookupPath.c_str());
        Row(name.empty() ? "GetFileSignerName, uncached (NO SIGNER FOUND)" : "GetFileSignerName, uncached", 1,
            lookup.Seconds());
        for (const std::wstring& path : paths) DeleteFileW(path.c_str());
        for (int c = 0; c < copies; ++c) RemoveDirectoryW((work + L"\\s" + std::to_wstring(c)).c_str());
        DeleteFileW(lookupPath.c_str());
    }

    module.destroy(query);
    DeleteFileW(dat.c_str());
    RemoveDirectoryW(work.c_str());
    return 0;
}
