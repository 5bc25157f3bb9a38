// State machine that splits a multi-channel bulk stream into per-channel payloads. Frames:
// marker 0xC3, channel byte, 16-bit little-endian length, payload; a frame may be split across
// any number of reads.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vornik {

// Stream status codes set by the reader thread (0 while all is well).
inline constexpr int kStreamStatusRequestFailed = -1;
inline constexpr int kStreamStatusBadMarker = -2;
inline constexpr int kStreamStatusBadChannel = -3;
inline constexpr int kStreamStatusRingFull = 2;
// The reader thread ended on an unexpected error (an exception) and took the stream with it.
inline constexpr int kStreamStatusReaderFailed = -4;

enum class StoreResult { Stored, Full, Dropped };

// Where the parser delivers payload bytes.
class FrameSink {
  public:
    virtual ~FrameSink() = default;
    virtual bool hasChannel(uint8_t channel) const = 0;
    virtual StoreResult store(uint8_t channel, const uint8_t* data, size_t n) = 0;
};

class FrameParser {
  public:
    static constexpr uint8_t kMarker = 0xC3;
    enum State : int32_t {
        kInPayload = 0,
        kExpectLengthHigh = 1,
        kExpectLengthLow = 2,
        kExpectChannel = 3,
        kExpectMarker = 4,
    };

    void reset() {
        state_ = kExpectMarker;
        payloadLeft_ = 0;
        frameChannel_ = 0;
    }
    // Runs over the block until it is used up or the stream fails; returns 0 or the failure
    // status (bad marker, bad channel, full ring). After a failure the parser must be reset.
    // `Sink` is a FrameSink; a final one gets its calls inlined on the stream path.
    template <class Sink>
    int feed(const uint8_t* data, size_t n, Sink& sink);

    int32_t state() const { return state_; }
    int32_t payloadLeft() const { return payloadLeft_; }
    uint8_t frameChannel() const { return frameChannel_; }

  private:
    int32_t state_ = kExpectMarker;
    int32_t payloadLeft_ = 0;
    uint8_t frameChannel_ = 0;
};

template <class Sink>
int FrameParser::feed(const uint8_t* data, size_t n, Sink& sink) {
    // The state lives in locals while the block is parsed: the payload stores write through
    // byte pointers, after which members would have to be read again.
    int32_t state = state_;
    int32_t left = payloadLeft_;
    uint8_t channel = frameChannel_;
    int status = 0;
    size_t i = 0;
    while (i < n && status == 0) {
        switch (state) {
            case kExpectMarker:
                // Whole frames in this block: header and payload at once.
                while (n - i >= 4) {
                    if (data[i] != kMarker) {
                        status = kStreamStatusBadMarker;
                        break;
                    }
                    channel = data[i + 1];
                    if (!sink.hasChannel(channel)) {
                        status = kStreamStatusBadChannel;
                        break;
                    }
                    left = data[i + 2] | (data[i + 3] << 8);
                    i += 4;
                    if (static_cast<size_t>(left) > n - i) {
                        state = kInPayload;  // the payload goes on in the next block
                        break;
                    }
                    if (left > 0 && sink.store(channel, data + i, static_cast<size_t>(left)) ==
                                        StoreResult::Full) {
                        state = kInPayload;
                        status = kStreamStatusRingFull;
                        break;
                    }
                    i += static_cast<size_t>(left);
                    left = 0;
                }
                if (status != 0 || state != kExpectMarker || i == n) break;
                if (data[i] != kMarker) {
                    status = kStreamStatusBadMarker;
                    break;
                }
                ++i;
                state = kExpectChannel;
                break;
            case kExpectChannel:
                channel = data[i++];
                if (!sink.hasChannel(channel)) {
                    status = kStreamStatusBadChannel;
                    break;
                }
                state = kExpectLengthLow;
                break;
            case kExpectLengthLow:
                left = data[i++];
                state = kExpectLengthHigh;
                break;
            case kExpectLengthHigh:
                left += data[i++] * 256;
                state = left == 0 ? kExpectMarker : kInPayload;
                break;
            default: {
                const size_t k = std::min(static_cast<size_t>(left), n - i);
                if (sink.store(channel, data + i, k) == StoreResult::Full) {
                    status = kStreamStatusRingFull;
                    break;
                }
                left -= static_cast<int32_t>(k);
                i += k;
                if (left == 0) state = kExpectMarker;
                break;
            }
        }
    }
    state_ = state;
    payloadLeft_ = left;
    frameChannel_ = channel;
    return status;
}

}  // namespace vornik
