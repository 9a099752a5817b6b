#include "update/ApplyDeltaToFile.h"

#include "environment/UniqueHandle.h"
#include "environment/Win32Error.h"
#include "library/LibraryFile.h"
#include "update/DictionaryBuffer.h"
#include "update/Output2File2.h"
#include "vcdiff/VCDiffStreamingDecoder.h"

#include <algorithm>
#include <new>

namespace {

const HRESULT kBadFormat = HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
const uint32_t kChunkSize = 16384;

HRESULT LoadSource(const wchar_t* sourcePath, DictionaryBuffer& dictionary)
{
    UniqueHandle source(CreateFileW(sourcePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.Valid()) return HresultFromLastError();
    const DWORD size = GetFileSize(source.Get(), nullptr);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return HresultFromLastError();
    dictionary.Allocate(size);
    if (dictionary.Size() == 0) return E_OUTOFMEMORY;
    return dictionary.ReadFrom(source.Get());
}

HRESULT Decode(const VqDatLibContent& delta, const DictionaryBuffer& dictionary, const UniqueHandle& output)
{
    const HANDLE handle = output.Get();
    Output2File2 sink(handle);
    open_vcdiff::VCDiffStreamingDecoder decoder;
    decoder.StartDecoding(dictionary.Data(), dictionary.Size());
    for (uint32_t offset = 0; offset < delta.TextLength; offset += kChunkSize) {
        const uint32_t length = std::min(kChunkSize, delta.TextLength - offset);
        if (!decoder.DecodeChunkToInterface(delta.Text.get() + offset, length, &sink)) return kBadFormat;
    }
    if (!decoder.FinishDecoding()) return kBadFormat;
    return sink.WriteResult();
}

}  // namespace

HRESULT ApplyDeltaToFile(const wchar_t* outputPath, const wchar_t* sourcePath, const wchar_t* deltaPath)
{
    if (outputPath == nullptr || sourcePath == nullptr || deltaPath == nullptr) return E_INVALIDARG;
    try {
        VqDatLibContent delta;
        if (!ReadLibraryFile(deltaPath, delta)) return kBadFormat;
        // An empty delta decodes to an empty file, which would replace the
        // library with nothing.
        if (delta.TextLength == 0) return kBadFormat;

        DictionaryBuffer dictionary;
        const HRESULT loaded = LoadSource(sourcePath, dictionary);
        if (FAILED(loaded)) return loaded;

        UniqueHandle output(CreateFileW(outputPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output.Valid()) return HresultFromLastError();
        // The decoder goes first, then the output handle, the dictionary and
        // the delta, as the locals unwind.
        return Decode(delta, dictionary, output);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}
