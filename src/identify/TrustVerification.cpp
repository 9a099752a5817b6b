#include "identify/TrustVerification.h"

TrustVerification::TrustVerification(WinMod::CWinModule_wintrust& wintrust, const GUID& action, WINTRUST_DATA& data)
    : wintrust_(wintrust), action_(action), data_(data)
{
    data_.dwStateAction = WTD_STATEACTION_VERIFY;
    result_ = wintrust_.WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
}

TrustVerification::~TrustVerification()
{
    // When the entry point could not be resolved no verification was made,
    // and this call is not made either: the wrapper fails the same way.
    data_.dwStateAction = WTD_STATEACTION_CLOSE;
    wintrust_.WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
}
