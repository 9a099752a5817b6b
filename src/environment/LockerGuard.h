#pragma once
#include "environment/ILockerMode.h"

// Holds an ILockerMode for one scope, so it is released on every exit path,
// also when an exception passes. A null lock means running unserialised.
class LockerGuard {
public:
    explicit LockerGuard(ILockerMode* lock) : lock_(lock)
    {
        if (lock_ != nullptr) lock_->Lock();
    }
    ~LockerGuard()
    {
        if (lock_ != nullptr) lock_->Unlock();
    }
    LockerGuard(const LockerGuard&) = delete;
    LockerGuard& operator=(const LockerGuard&) = delete;

private:
    ILockerMode* lock_;
};
