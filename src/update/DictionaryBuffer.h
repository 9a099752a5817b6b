#pragma once
#include <windows.h>

#include <stdint.h>

// The whole source file of a delta, held in memory for the decoder. Small
// sources stay in the inline storage; larger ones get a heap block of
// exactly their size, freed with the buffer.
class DictionaryBuffer {
public:
    static const uint32_t kInlineSize = 256;

    DictionaryBuffer() = default;
    ~DictionaryBuffer();
    DictionaryBuffer(const DictionaryBuffer&) = delete;
    DictionaryBuffer& operator=(const DictionaryBuffer&) = delete;

    // Obtains storage for size bytes. Size() stays 0 when size is 0 or no
    // storage could be had.
    void Allocate(uint32_t size);

    // Fills the storage from the file's current position with one read.
    // Fewer bytes than Size() is a failure too: the decoder must never see
    // bytes the file did not supply.
    HRESULT ReadFrom(HANDLE file);

    const char* Data() const { return data_; }
    uint32_t Size() const { return size_; }

private:
    char* data_ = nullptr;
    uint32_t size_ = 0;
    bool onHeap_ = false;
    char inline_[kInlineSize];
};
