#pragma once
#include "environment/ILockerMode.h"

#include <windows.h>

// ILockerMode over a named auto-reset event that starts signalled: a wait
// takes the lock and resets the event, setting it admits the next waiter.
// Every process that opens the same name in the same local kernel-object
// namespace shares the lock. Without an event (creation failed) waits
// return at once and nothing is serialised.
class XLockerEvent : public ILockerMode {
public:
    explicit XLockerEvent(const wchar_t* name);
    ~XLockerEvent();
    XLockerEvent(const XLockerEvent&) = delete;
    XLockerEvent& operator=(const XLockerEvent&) = delete;

    int Lock() override;
    int Unlock() override;

private:
    HANDLE event_;
};
