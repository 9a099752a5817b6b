#include "vcdiff/ByteBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace appatlas {
namespace vcdiff {

void ByteBuffer::Free::operator()(uint8_t* p) const
{
    std::free(p);
}

void ByteBuffer::Reserve(size_t capacity, size_t ceiling)
{
    if (capacity <= capacity_)
        return;
    size_t grown = capacity_ + capacity_ / 2;
    if (grown > ceiling)
        grown = ceiling;
    if (grown < capacity)
        grown = capacity;
    void* bigger = std::realloc(data_.get(), grown);
    if (!bigger)
        throw std::bad_alloc();
    data_.release();
    data_.reset(static_cast<uint8_t*>(bigger));
    capacity_ = grown;
}

void ByteBuffer::Append(const uint8_t* bytes, size_t count)
{
    if (count == 0)
        return;
    Reserve(size_ + count);
    std::memcpy(data_.get() + size_, bytes, count);
    size_ += count;
}

void ByteBuffer::Consume(size_t count)
{
    if (count >= size_) {
        size_ = 0;
        return;
    }
    std::memmove(data_.get(), data_.get() + count, size_ - count);
    size_ -= count;
}

void ByteBuffer::Release()
{
    data_.reset();
    size_ = 0;
    capacity_ = 0;
}

}  // namespace vcdiff
}  // namespace appatlas
