#pragma once
#include "vcdiff/OutputStringInterface.h"

#include <windows.h>

// Streams decoded bytes straight into an open file, one write per call and
// no buffer of its own. The handle belongs to the caller. The interface has
// no way to report a failed write, so the first one is kept for the caller
// to collect after decoding.
class Output2File2 : public open_vcdiff::OutputStringInterface {
public:
    explicit Output2File2(const HANDLE& file) : file_(file) {}

    Output2File2& append(const char* s, size_t n) override;
    void clear() override {}
    void push_back(char c) override;
    void ReserveAdditionalBytes(size_t) override {}
    // Bytes written so far: the low 32 bits of the file position, 0 when it
    // cannot be read.
    size_t size() const override;

    // S_OK, or the HRESULT of the first write that failed.
    HRESULT WriteResult() const { return writeResult_; }

private:
    void Write(const char* s, size_t n);

    const HANDLE& file_;
    HRESULT writeResult_ = S_OK;
};
