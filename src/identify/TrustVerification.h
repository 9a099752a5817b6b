#pragma once
#include "identify/WinModuleWintrust.h"

// One WinVerifyTrust verification (WTD_STATEACTION_VERIFY) of data. The
// destructor makes the one closing call (WTD_STATEACTION_CLOSE) with the same
// arguments that releases the verification state, also when an exception
// passes while the state is read.
class TrustVerification {
public:
    TrustVerification(WinMod::CWinModule_wintrust& wintrust, const GUID& action, WINTRUST_DATA& data);
    ~TrustVerification();
    TrustVerification(const TrustVerification&) = delete;
    TrustVerification& operator=(const TrustVerification&) = delete;

    LONG Result() const { return result_; }

private:
    WinMod::CWinModule_wintrust& wintrust_;
    GUID action_;
    WINTRUST_DATA& data_;
    LONG result_;
};
