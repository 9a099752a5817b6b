// Export "AppAtlasDiagnosticText": the installation environment as this
// module sees it, for diagnostic tools. Not part of the query or update
// face.

#include <appatlas.h>

#include "environment/BrandingInfo.h"
#include "environment/DataFilePath.h"

#include <string>

namespace {

bool DiagnosticText(int item, std::wstring& text)
{
    switch (item) {
    case APPATLAS_DIAG_REGISTRY_KEY: text = GetBrandingInfo().RegistryKey; return true;
    case APPATLAS_DIAG_PRODUCT_NAME: text = GetBrandingInfo().ProductName; return true;
    case APPATLAS_DIAG_THIRD_NAME: text = GetBrandingInfo().ThirdBrandingName; return true;
    case APPATLAS_DIAG_DATA_FILE_PATH: text = ComposeDataFilePath(); return true;
    }
    return false;
}

} // namespace

extern "C" int __stdcall AppAtlasDiagnosticText(int item, wchar_t* buffer, unsigned int* size)
{
    try {
        std::wstring text;
        if (size == nullptr || !DiagnosticText(item, text)) return -1;
        const unsigned int needed = unsigned(text.size()) + 1;
        if (buffer == nullptr || *size < needed) {
            *size = needed;
            return 0;
        }
        text.copy(buffer, text.size());
        buffer[text.size()] = L'\0';
        return 1;
    } catch (...) {
        return -1;
    }
}
