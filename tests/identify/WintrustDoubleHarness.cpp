#include "WintrustDoubleHarness.h"

#include <wintrust.h>

namespace {

template <typename Fn>
Fn Export(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

} // namespace

WintrustDouble::WintrustDouble() : module_(LoadLibraryW(L"wintrust.dll"))
{
    setScript_ = Export<PFN_DOUBLE_SET_SCRIPT>(module_, "DoubleSetScript");
    callCount_ = Export<PFN_DOUBLE_CALL_COUNT>(module_, "DoubleCallCount");
    getCall_ = Export<PFN_DOUBLE_GET_CALL>(module_, "DoubleGetCall");
    openStates_ = Export<PFN_DOUBLE_OPEN_COUNT>(module_, "DoubleOpenStates");
    openCatalogs_ = Export<PFN_DOUBLE_OPEN_COUNT>(module_, "DoubleOpenCatalogs");
    openAdmins_ = Export<PFN_DOUBLE_OPEN_COUNT>(module_, "DoubleOpenAdmins");
}

WintrustDouble::~WintrustDouble()
{
    if (module_) FreeLibrary(module_);
}

std::vector<DoubleCallRecord> WintrustDouble::Calls() const
{
    std::vector<DoubleCallRecord> calls(static_cast<size_t>(callCount_()));
    for (size_t i = 0; i < calls.size(); ++i) getCall_(int(i), &calls[i]);
    return calls;
}

std::vector<DoubleCallRecord> WintrustDouble::Calls(int function) const
{
    std::vector<DoubleCallRecord> selected;
    for (const DoubleCallRecord& call : Calls())
        if (call.Function == function) selected.push_back(call);
    return selected;
}

::testing::AssertionResult EveryVerifyClosedOnce(const std::vector<DoubleCallRecord>& calls)
{
    HANDLE open = nullptr;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].Function != kWinVerifyTrust) continue;
        if (calls[i].StateAction == WTD_STATEACTION_VERIFY) {
            if (open != nullptr) return ::testing::AssertionFailure() << "call " << i << " verifies before a close";
            open = calls[i].StateData;
        } else if (calls[i].StateAction == WTD_STATEACTION_CLOSE) {
            if (open == nullptr || calls[i].StateData != open)
                return ::testing::AssertionFailure() << "call " << i << " closes no open verification";
            open = nullptr;
        } else {
            return ::testing::AssertionFailure() << "call " << i << " has state action " << calls[i].StateAction;
        }
    }
    if (open != nullptr) return ::testing::AssertionFailure() << "the last verification is never closed";
    return ::testing::AssertionSuccess();
}

DoubleScript NothingTrusted()
{
    DoubleScript script = {};
    script.EmbeddedResult = static_cast<LONG>(TRUST_E_NOSIGNATURE);
    return script;
}
