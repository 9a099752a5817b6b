#pragma once

// A lock that serialises calls into code outside this module. Each
// operation returns what the underlying system call returned; callers
// ignore it. Lock objects are never deleted through this interface.
class ILockerMode {
public:
    virtual int Lock() = 0;    // blocks until the lock is taken
    virtual int Unlock() = 0;  // releases it

protected:
    ~ILockerMode() {}
};
