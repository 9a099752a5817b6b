#pragma once
#include <windows.h>

// Owns an open registry key and closes it on every exit path.
class UniqueRegKey {
public:
    UniqueRegKey() = default;
    ~UniqueRegKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    UniqueRegKey(const UniqueRegKey&) = delete;
    UniqueRegKey& operator=(const UniqueRegKey&) = delete;

    HKEY Get() const { return key_; }
    bool Valid() const { return key_ != nullptr; }
    // For the out-parameter of RegOpenKeyExW; the key must be empty.
    HKEY* Receive() { return &key_; }

private:
    HKEY key_ = nullptr;
};
