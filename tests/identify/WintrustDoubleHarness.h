#pragma once
#include "double/WintrustDoubleControl.h"

#include <gtest/gtest.h>

#include <vector>

// The wintrust.dll double as a test drives it. Holding it loaded keeps its
// records across the module's own loads and frees of wintrust.dll.
class WintrustDouble {
public:
    WintrustDouble();
    ~WintrustDouble();
    WintrustDouble(const WintrustDouble&) = delete;
    WintrustDouble& operator=(const WintrustDouble&) = delete;

    // False when the process got another wintrust.dll than the double.
    bool Present() const { return setScript_ != nullptr; }
    // Replaces the script and forgets the calls received so far.
    void Script(const DoubleScript& script) const { setScript_(&script); }
    std::vector<DoubleCallRecord> Calls() const;
    std::vector<DoubleCallRecord> Calls(int function) const;
    int OpenStates() const { return openStates_(); }
    int OpenCatalogs() const { return openCatalogs_(); }
    int OpenAdmins() const { return openAdmins_(); }

private:
    HMODULE module_;
    PFN_DOUBLE_SET_SCRIPT setScript_ = nullptr;
    PFN_DOUBLE_CALL_COUNT callCount_ = nullptr;
    PFN_DOUBLE_GET_CALL getCall_ = nullptr;
    PFN_DOUBLE_OPEN_COUNT openStates_ = nullptr;
    PFN_DOUBLE_OPEN_COUNT openCatalogs_ = nullptr;
    PFN_DOUBLE_OPEN_COUNT openAdmins_ = nullptr;
};

// Every WinVerifyTrust call with WTD_STATEACTION_VERIFY is followed, before
// any other verification, by exactly one WTD_STATEACTION_CLOSE of its state.
::testing::AssertionResult EveryVerifyClosedOnce(const std::vector<DoubleCallRecord>& calls);

// A script with nothing verifying and no catalogs.
DoubleScript NothingTrusted();
