// Byte ring of one channel.
#include "protocol/sample_ring.h"

#include <algorithm>
#include <cstring>

namespace vornik {

SampleRing::SampleRing(size_t capacity)
    : storage_(std::make_unique<uint8_t[]>(capacity)), capacity_(capacity) {}

bool SampleRing::write(const uint8_t* data, size_t n) {
    const size_t stored = std::min(n, capacity_ - fill_);
    if (stored == 0) return n == 0;
    // At most two pieces: up to the end of the storage, then from its start.
    const size_t first = std::min(stored, capacity_ - write_);
    std::memcpy(storage_.get() + write_, data, first);
    if (stored > first) std::memcpy(storage_.get(), data + first, stored - first);
    write_ = stored - first > 0 ? stored - first : write_ + first;
    if (write_ == capacity_) write_ = 0;
    fill_ += stored;
    return stored == n;
}

size_t SampleRing::read(uint8_t* out, size_t requested, size_t blockSize) {
    if (blockSize == 0) return 0;
    size_t n = std::min(requested, fill_);
    n -= n % blockSize;
    if (n == 0) return 0;  // the caller's buffer may be null then
    const size_t first = std::min(n, capacity_ - read_);
    std::memcpy(out, storage_.get() + read_, first);
    if (n > first) std::memcpy(out + first, storage_.get(), n - first);
    read_ = n - first > 0 ? n - first : read_ + first;
    if (read_ == capacity_) read_ = 0;
    fill_ -= n;
    return n;
}

void SampleRing::reset() {
    write_ = 0;
    read_ = 0;
    fill_ = 0;
}

}  // namespace vornik
