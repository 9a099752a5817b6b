// What the shipped module's image promises a Windows XP host: a 32-bit DLL
// whose imports are system DLLs only, none of them newer than XP SP3, and
// exports by plain name at fixed ordinals.

#include "FileFixtures.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

namespace {

class PeImage {
public:
    explicit PeImage(std::string bytes) : bytes_(std::move(bytes))
    {
        const auto* dos = At<IMAGE_DOS_HEADER>(0);
        nt_ = At<IMAGE_NT_HEADERS32>(dos->e_lfanew);
    }

    const IMAGE_NT_HEADERS32& Nt() const { return *nt_; }

    // DLL name (upper case) to the names it imports.
    std::map<std::string, std::set<std::string>> Imports() const
    {
        std::map<std::string, std::set<std::string>> imports;
        const IMAGE_DATA_DIRECTORY& dir = nt_->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = At<IMAGE_IMPORT_DESCRIPTOR>(Offset(dir.VirtualAddress)); d->Name != 0; ++d) {
            std::string dll = Str(d->Name);
            std::transform(dll.begin(), dll.end(), dll.begin(), ::toupper);
            auto& names = imports[dll];
            const DWORD thunks = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
            for (auto* t = At<DWORD>(Offset(thunks)); *t != 0; ++t) {
                if (*t & IMAGE_ORDINAL_FLAG32)
                    names.insert("#" + std::to_string(*t & 0xFFFF));
                else
                    names.insert(Str(*t + 2));  // skip the hint
            }
        }
        return imports;
    }

    // Exported name to ordinal.
    std::map<std::string, unsigned> Exports() const
    {
        std::map<std::string, unsigned> exports;
        const IMAGE_DATA_DIRECTORY& dir = nt_->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        if (dir.VirtualAddress == 0) return exports;
        const auto* e = At<IMAGE_EXPORT_DIRECTORY>(Offset(dir.VirtualAddress));
        const auto* names = At<DWORD>(Offset(e->AddressOfNames));
        const auto* ordinals = At<WORD>(Offset(e->AddressOfNameOrdinals));
        for (DWORD i = 0; i < e->NumberOfNames; ++i) exports[Str(names[i])] = e->Base + ordinals[i];
        return exports;
    }

private:
    template <class T>
    const T* At(size_t offset) const
    {
        if (offset + sizeof(T) > bytes_.size()) throw std::runtime_error("offset outside the image");
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }
    size_t Offset(DWORD rva) const
    {
        const IMAGE_SECTION_HEADER* s = IMAGE_FIRST_SECTION(nt_);
        for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i, ++s) {
            if (rva >= s->VirtualAddress && rva < s->VirtualAddress + std::max(s->Misc.VirtualSize, s->SizeOfRawData))
                return rva - s->VirtualAddress + s->PointerToRawData;
        }
        throw std::runtime_error("address outside every section");
    }
    std::string Str(DWORD rva) const { return std::string(At<char>(Offset(rva))); }

    std::string bytes_;
    const IMAGE_NT_HEADERS32* nt_;
};

PeImage Module()
{
    return PeImage(ReadBytes(TestBinaryDirectory() + L"\\appatlas.dll"));
}

TEST(ModuleImage, IsA32BitDll)
{
    const PeImage image = Module();
    EXPECT_EQ(IMAGE_NT_SIGNATURE, image.Nt().Signature);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, image.Nt().FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, image.Nt().OptionalHeader.Magic);
    EXPECT_TRUE(image.Nt().FileHeader.Characteristics & IMAGE_FILE_DLL);
}

TEST(ModuleImage, ImportsOnlySystemDllsAndNothingNewerThanXp)
{
    // The runtime is linked statically: no compiler runtime DLL may appear,
    // and wintrust.dll is bound at run time rather than imported.
    const std::set<std::string> allowed = {"KERNEL32.DLL", "MSVCRT.DLL", "SHLWAPI.DLL", "ADVAPI32.DLL",
                                           "VERSION.DLL", "CRYPT32.DLL", "IMAGEHLP.DLL", "USER32.DLL"};
    // Kernel entry points that Windows XP SP3 does not have, and that a
    // toolchain pulls in most easily.
    const std::set<std::string> newerThanXp = {
        "GetTickCount64", "InitOnceExecuteOnce", "InitOnceBeginInitialize", "InitOnceComplete",
        "InitializeSRWLock", "AcquireSRWLockExclusive", "AcquireSRWLockShared", "ReleaseSRWLockExclusive",
        "ReleaseSRWLockShared", "TryAcquireSRWLockExclusive", "InitializeConditionVariable",
        "SleepConditionVariableCS", "SleepConditionVariableSRW", "WakeConditionVariable",
        "WakeAllConditionVariable", "FlsAlloc", "FlsFree", "FlsGetValue", "FlsSetValue",
        "InitializeCriticalSectionEx", "CreateEventExW", "CreateMutexExW", "CreateSemaphoreExW",
        "GetFileInformationByHandleEx", "SetFileInformationByHandle", "GetFinalPathNameByHandleW",
        "CreateSymbolicLinkW", "LocaleNameToLCID", "LCIDToLocaleName", "GetLocaleInfoEx", "CompareStringEx",
        "LCMapStringEx", "GetUserDefaultLocaleName", "QueryFullProcessImageNameW", "CancelIoEx",
        "GetQueuedCompletionStatusEx", "GetSystemTimePreciseAsFileTime", "GetCurrentProcessorNumber",
        "RaiseFailFastException", "GetThreadId", "GetErrorMode", "CreateThreadpoolWork", "WaitOnAddress",
        "GetCurrentPackageId", "GetDynamicTimeZoneInformation", "RegGetValueW", "RegDeleteTreeW",
        "RegSetKeyValueW", "RegOpenKeyTransactedW"};

    const auto imports = Module().Imports();
    ASSERT_FALSE(imports.empty());
    for (const auto& dll : imports) {
        EXPECT_TRUE(allowed.count(dll.first)) << "imports " << dll.first;
        EXPECT_NE("WINTRUST.DLL", dll.first);
        for (const std::string& name : dll.second) {
            EXPECT_FALSE(newerThanXp.count(name)) << dll.first << "!" << name;
            // XP's msvcrt.dll has none of the bounds-checked *_s functions.
            if (dll.first == "MSVCRT.DLL") {
                EXPECT_FALSE(name.size() > 2 && name.compare(name.size() - 2, 2, "_s") == 0) << "msvcrt!" << name;
            }
        }
    }
}

TEST(ModuleImage, ExportsByPlainNameAtFixedOrdinals)
{
    const auto exports = Module().Exports();
    ASSERT_TRUE(exports.count("a"));
    ASSERT_TRUE(exports.count("b"));
    EXPECT_EQ(2u, exports.at("a"));
    EXPECT_EQ(3u, exports.at("b"));
    for (const auto& e : exports) {
        EXPECT_EQ(std::string::npos, e.first.find('@')) << "decorated export " << e.first;
        // Ordinal 1 belongs to CreateUpdateHelper and nothing else.
        if (e.second == 1) {
            EXPECT_EQ("CreateUpdateHelper", e.first);
        }
    }

    HMODULE module = LoadLibraryW(L"appatlas.dll");
    ASSERT_NE(nullptr, module);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, "a")),
              reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(2))));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, "b")),
              reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(3))));
    FreeLibrary(module);
}

} // namespace
