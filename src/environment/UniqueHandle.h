#pragma once
#include <windows.h>

// Owns a kernel handle and closes it on every exit path. Holds
// INVALID_HANDLE_VALUE when empty, the failure value of CreateFileW.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : handle_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.Release();
        }
        return *this;
    }

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Release() {
        HANDLE h = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return h;
    }
    void Reset(HANDLE h = INVALID_HANDLE_VALUE) {
        if (Valid()) CloseHandle(handle_);
        handle_ = h;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
