// Test double of the OEM DLL brandhub.dll, built once per variant. Every call
// it receives is appended to brandhub.log beside it, so a test can tell
// which calls were made and with what size.
//
// BRANDHUB_INT      defined: QueryOEMInt is exported and returns this value
// BRANDHUB_STR      defined: QueryOEMStrW is exported
// BRANDHUB_TEXTS    0 plain strings, 1 long strings, 2 misbehaving sizes
// BRANDHUB_BLOCK    defined: QueryOEMInt signals the event named by
//                   BRANDHUB_ENTERED and waits for the one named by
//                   BRANDHUB_GO before returning

#include <windows.h>

#include <string>

namespace {

std::wstring LogPath()
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LogPath), &self);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    std::wstring text = path;
    return text.substr(0, text.rfind(L'\\') + 1) + L"brandhub.log";
}

void Record(const std::string& line)
{
    HANDLE log = CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(log, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(log);
}

[[maybe_unused]] std::wstring Environment(const wchar_t* name)
{
    wchar_t value[512] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 512);
    return length > 0 && length < 512 ? std::wstring(value) : std::wstring();
}

#ifdef BRANDHUB_BLOCK
void SignalAndWait()
{
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    Record("enter " + std::string(pid.begin(), pid.end()));
    HANDLE entered = OpenEventW(EVENT_MODIFY_STATE, FALSE, Environment(L"BRANDHUB_ENTERED").c_str());
    HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, Environment(L"BRANDHUB_GO").c_str());
    if (entered != nullptr) SetEvent(entered);
    if (go != nullptr) WaitForSingleObject(go, 60000);
    if (entered != nullptr) CloseHandle(entered);
    if (go != nullptr) CloseHandle(go);
    Record("leave " + std::string(pid.begin(), pid.end()));
}
#endif

#if defined(BRANDHUB_STR) && BRANDHUB_TEXTS != 2
std::wstring Text(int id)
{
#if BRANDHUB_TEXTS == 1
    switch (id) {
    case 12: return std::wstring(260, L'k');
    case 14: return std::wstring(300, L'p');
    case 15: return std::wstring(259, L't');
    }
#else
    switch (id) {
    case 12: {
        // A test of its own registry key names it in the environment.
        const std::wstring key = Environment(L"BRANDHUB_KEY");
        return key.empty() ? L"Vendor\\Product" : key;
    }
    case 14: return L"OemProduct";
    case 15: return L"OemThird";
    }
#endif
    return L"";
}
#endif

} // namespace

#ifdef BRANDHUB_INT
extern "C" __declspec(dllexport) int __stdcall QueryOEMInt(int id, int* value)
{
    Record("int " + std::to_string(id));
#ifdef BRANDHUB_BLOCK
    SignalAndWait();
#endif
    if (value != nullptr) *value = 12345;
    return BRANDHUB_INT;
}
#endif

#ifdef BRANDHUB_STR
extern "C" __declspec(dllexport) int __stdcall QueryOEMStrW(int id, wchar_t* buffer, unsigned int* size)
{
    Record("str " + std::to_string(id) + " " + std::to_string(*size));
#if BRANDHUB_TEXTS == 2
    // Sizes that wrap or are absurd, and a success that fills the whole
    // buffer without a terminator.
    switch (id) {
    case 12: *size = 0xFFFFFFFFu; return 0;
    case 14:
        for (unsigned int i = 0; i < *size; ++i) buffer[i] = L'x';
        return 1;
    case 15: *size = 40000; return 0;
    }
    return 0;
#else
    const std::wstring text = Text(id);
    if (*size < text.size() + 1) {
        *size = unsigned(text.size());
        return 0;
    }
    text.copy(buffer, text.size());
    buffer[text.size()] = L'\0';
    return 1;
#endif
}
#endif
