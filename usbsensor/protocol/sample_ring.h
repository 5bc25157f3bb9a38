// Byte ring that buffers one channel's stream between the reader thread and the caller.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace vornik {

class SampleRing {
  public:
    static constexpr size_t kCapacity = 0x40000;

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

}  // namespace vornik
