// A growable byte array that, unlike std::vector, does not zero what it
// reserves: the decoder overwrites every byte of a window anyway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace appatlas {
namespace vcdiff {

class ByteBuffer {
public:
    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // Ensures room for capacity bytes; grows at least geometrically so that
    // repeated small appends stay linear overall, though never beyond
    // ceiling unless capacity itself is larger. May move the bytes.
    void Reserve(size_t capacity, size_t ceiling = SIZE_MAX);
    // Sets the size within the reserved capacity.
    void SetSize(size_t size) { size_ = size; }
    void Append(const uint8_t* bytes, size_t count);
    // Drops the first count bytes, keeping the rest.
    void Consume(size_t count);
    void Clear() { size_ = 0; }
    // Gives the memory back as well.
    void Release();

private:
    struct Free {
        void operator()(uint8_t* p) const;
    };
    // malloc'd so that growing can use realloc, which for large blocks can
    // remap pages instead of copying them.
    std::unique_ptr<uint8_t, Free> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace vcdiff
}  // namespace appatlas
