#pragma once
#include <windows.h>

// Decodes the VCDIFF delta held in the data file container at deltaPath
// against the raw bytes of the file at sourcePath and writes the target to
// outputPath, replacing any file there. 0 on success, else an HRESULT:
// 0x8007000B for a delta that is unreadable, empty or refused by the
// decoder, E_OUTOFMEMORY for an empty source or no memory, E_INVALIDARG for
// a null path, or the Win32 error of a file operation (a failed write to
// the output included). A failure after the output was created leaves it
// behind, holding what was decoded before the failure.
HRESULT ApplyDeltaToFile(const wchar_t* outputPath, const wchar_t* sourcePath, const wchar_t* deltaPath);
