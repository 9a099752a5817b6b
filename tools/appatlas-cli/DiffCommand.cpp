#include "Commands.h"
#include "Console.h"
#include "FileBytes.h"

#include "library/LibraryFileBuilder.h"
#include "vcdiff/DeltaEncoder.h"

namespace {

// Update files are never loaded as libraries, so any key and level do.
const uint8_t kUpdateKey = 0x5A;
const uint32_t kUpdateCompatLevel = 0;

}  // namespace

int RunDiff(const Arguments& args)
{
    Arguments files;
    appatlas::vcdiff::EncodeOptions options;
    for (const std::wstring& arg : args) {
        if (arg == L"--checksum")
            options.checksum = true;
        else
            files.push_back(arg);
    }
    if (files.size() != 3) return UsageError(L"diff needs OLD.dat, NEW.dat and OUT.upd");

    std::string oldBytes, newBytes;
    std::wstring error;
    for (const auto& input : {std::make_pair(&files[0], &oldBytes), std::make_pair(&files[1], &newBytes)}) {
        if (!ReadFileBytes(*input.first, *input.second, error)) {
            Err(L"appatlas-cli: " + *input.first + L": " + error + L"\n");
            return kExitFailure;
        }
    }
    // The delta covers the stored files byte for byte, header and scrambled
    // body, because the module applies it to appatlas.dat as stored.
    const std::string delta =
        appatlas::vcdiff::EncodeDelta(oldBytes.data(), oldBytes.size(), newBytes.data(), newBytes.size(), options);
    if (!WriteFileBytes(files[2], BuildLibraryFile(delta, kUpdateKey, kUpdateCompatLevel), error)) {
        Err(L"appatlas-cli: " + files[2] + L": " + error + L"\n");
        return kExitFailure;
    }
    return kExitOk;
}
