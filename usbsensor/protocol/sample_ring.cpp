// Byte ring of one channel.
#include "protocol/sample_ring.h"

#include <algorithm>
#include <cstring>

namespace vornik {

SampleRing::SampleRing(size_t capacity)
    : storage_(std::make_unique<uint8_t[]>(capacity)), capacity_(capacity) {}

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
