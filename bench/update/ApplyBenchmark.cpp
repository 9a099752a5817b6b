// Apply benchmark: times ApplyDeltaToFile, the update face's decoder path
// (container read, source load, VCDIFF decode, file sink), in process.
//
//   appatlas-bench-apply.exe SOURCE DELTA.upd OUT [RUNS]   best of RUNS (5) in seconds
//   appatlas-bench-apply.exe --wrap DELTA UPDATE.upd       wrap a raw delta in the container

#include "library/LibraryFileBuilder.h"
#include "update/ApplyDeltaToFile.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The same as the CLI's: update files are never loaded as libraries.
const uint8_t kUpdateKey = 0x5A;
const uint32_t kUpdateCompatLevel = 0;

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

int Wrap(const wchar_t* deltaPath, const wchar_t* updatePath)
{
    FILE* in = _wfopen(deltaPath, L"rb");
    if (!in) return 1;
    std::string delta;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, in)) > 0;) delta.append(buffer, n);
    fclose(in);
    const std::string update = BuildLibraryFile(delta, kUpdateKey, kUpdateCompatLevel);
    FILE* out = _wfopen(updatePath, L"wb");
    if (!out) return 1;
    const bool ok = fwrite(update.data(), 1, update.size(), out) == update.size();
    return fclose(out) == 0 && ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--wrap") return Wrap(argv[2], argv[3]);
    if (argc != 4 && argc != 5) {
        fwprintf(stderr, L"usage: appatlas-bench-apply SOURCE DELTA.upd OUT [RUNS] | --wrap DELTA OUT.upd\n");
        return 2;
    }
    const int runs = argc == 5 ? _wtoi(argv[4]) : 5;
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = Seconds();
        const HRESULT hr = ApplyDeltaToFile(argv[3], argv[1], argv[2]);
        const double elapsed = Seconds() - start;
        if (hr != S_OK) {
            fwprintf(stderr, L"ApplyDeltaToFile failed: 0x%08lX\n", (unsigned long)hr);
            return 1;
        }
        if (elapsed < best) best = elapsed;
    }
    printf("%.6f\n", best);
    return 0;
}
