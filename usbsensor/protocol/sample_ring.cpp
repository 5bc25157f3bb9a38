// Byte ring of one channel.
#include "protocol/sample_ring.h"

#include <algorithm>
#include <cstring>

namespace vornik {

SampleRing::SampleRing(size_t capacity)
    : storage_(std::make_unique<uint8_t[]>(capacity)), capacity_(capacity) {}

bool SampleRing::write(const uint8_t* data, size_t n) {
    const size_t stored = std::min(n, capacity_ - fill_);
    size_t done = 0;
    while (done < stored) {
        const size_t chunk = std::min(stored - done, capacity_ - write_);
        std::memcpy(storage_.get() + write_, data + done, chunk);
        done += chunk;
        write_ = (write_ + chunk) % capacity_;
    }
    fill_ += stored;
    return stored == n;
}

size_t SampleRing::read(uint8_t* out, size_t requested, size_t blockSize) {
    if (blockSize == 0) return 0;
    size_t n = std::min(requested, fill_);
    n -= n % blockSize;
    size_t done = 0;
    while (done < n) {
        const size_t chunk = std::min(n - done, capacity_ - read_);
        std::memcpy(out + done, storage_.get() + read_, chunk);
        done += chunk;
        read_ = (read_ + chunk) % capacity_;
    }
    fill_ -= n;
    return n;
}

void SampleRing::reset() {
    write_ = 0;
    read_ = 0;
    fill_ = 0;
}

}  // namespace vornik
