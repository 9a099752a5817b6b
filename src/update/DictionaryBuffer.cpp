#include "update/DictionaryBuffer.h"

#include "environment/Win32Error.h"

#include <new>

DictionaryBuffer::~DictionaryBuffer()
{
    if (onHeap_) delete[] data_;
}

void DictionaryBuffer::Allocate(uint32_t size)
{
    if (size == 0) return;
    if (size <= kInlineSize) {
        data_ = inline_;
    } else {
        data_ = new (std::nothrow) char[size];
        if (data_ == nullptr) return;
        onHeap_ = true;
    }
    size_ = size;
}

HRESULT DictionaryBuffer::ReadFrom(HANDLE file)
{
    DWORD read = 0;
    if (!ReadFile(file, data_, size_, &read, nullptr)) return HresultFromLastError();
    if (read != size_) return HresultFromWin32Error(ERROR_HANDLE_EOF);
    return S_OK;
}
