#pragma once
#include <windows.h>

// Owns memory the system allocated with LocalAlloc for the caller (security
// descriptors, for one) and frees it on every exit path.
class UniqueLocalMemory {
public:
    UniqueLocalMemory() = default;
    ~UniqueLocalMemory()
    {
        if (memory_ != nullptr) LocalFree(memory_);
    }
    UniqueLocalMemory(const UniqueLocalMemory&) = delete;
    UniqueLocalMemory& operator=(const UniqueLocalMemory&) = delete;

    void* Get() const { return memory_; }
    // For out-parameters of type PSECURITY_DESCRIPTOR and the like.
    void** Receive() { return &memory_; }

private:
    void* memory_ = nullptr;
};
