// Byte ring that buffers one channel's stream between the reader thread and the caller.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vornik {

class SampleRing {
  public:
    static constexpr size_t kCapacity = 0x40000;
    static constexpr size_t kSmallWrite = 64;  // copied inline, see copySmall

    explicit SampleRing(size_t capacity = kCapacity);

    // Stores bytes while there is room; false when the ring filled up before all were stored
    // (the bytes that fitted stay).
    bool write(const uint8_t* data, size_t n);
    // Moves min(requested, fill) bytes lowered to a whole number of blocks; returns the count.
    size_t read(uint8_t* out, size_t requested, size_t blockSize);
    void reset();

    size_t fill() const { return fill_; }
    size_t capacity() const { return capacity_; }

  private:
    std::unique_ptr<uint8_t[]> storage_;
    size_t write_ = 0;
    size_t read_ = 0;
    size_t capacity_;
    size_t fill_ = 0;
};

namespace detail {
// Copies 1 to 64 bytes with fixed-size moves (two that may overlap) instead of a library call,
// which costs more than the copy itself for the few bytes of a small frame.
inline void copySmall(uint8_t* to, const uint8_t* from, size_t n) {
    if (n > 32) {
        std::memcpy(to, from, 32);
        std::memcpy(to + n - 32, from + n - 32, 32);
    } else if (n > 16) {
        std::memcpy(to, from, 16);
        std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else {
        to[0] = from[0];
        if (n > 1) to[1] = from[1];
        if (n > 2) to[2] = from[2];
    }
}
}  // namespace detail

inline bool SampleRing::write(const uint8_t* data, size_t n) {
    if (n == 0) return true;  // the data pointer may be null then
    if (n <= kSmallWrite && n <= capacity_ - fill_ && n <= capacity_ - write_) {
        // Fits whole without wrapping.
        detail::copySmall(storage_.get() + write_, data, n);
        write_ += n;
        if (write_ == capacity_) write_ = 0;
        fill_ += n;
        return true;
    }
    const size_t stored = std::min(n, capacity_ - fill_);
    if (stored == 0) return false;
    // At most two pieces: up to the end of the storage, then from its start.
    const size_t first = std::min(stored, capacity_ - write_);
    std::memcpy(storage_.get() + write_, data, first);
    if (stored > first) std::memcpy(storage_.get(), data + first, stored - first);
    write_ = stored - first > 0 ? stored - first : write_ + first;
    if (write_ == capacity_) write_ = 0;
    fill_ += stored;
    return stored == n;
}

}  // namespace vornik
