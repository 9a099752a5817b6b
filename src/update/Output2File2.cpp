#include "update/Output2File2.h"

#include "environment/Win32Error.h"

Output2File2& Output2File2::append(const char* s, size_t n)
{
    Write(s, n);
    return *this;
}

void Output2File2::push_back(char c)
{
    Write(&c, 1);
}

size_t Output2File2::size() const
{
    const DWORD position = SetFilePointer(file_, 0, nullptr, FILE_CURRENT);
    return position == INVALID_SET_FILE_POINTER ? 0 : position;
}

void Output2File2::Write(const char* s, size_t n)
{
    DWORD written = 0;
    HRESULT result = S_OK;
    if (!WriteFile(file_, s, DWORD(n), &written, nullptr))
        result = HresultFromLastError();
    else if (written != n)
        result = HresultFromWin32Error(ERROR_WRITE_FAULT);
    if (FAILED(result) && SUCCEEDED(writeResult_)) writeResult_ = result;
}
