// State machine that splits a multi-channel bulk stream into per-channel payloads. Frames:
// marker 0xC3, channel byte, 16-bit little-endian length, payload; a frame may be split across
// any number of reads.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vornik {

// Stream status codes set by the reader thread (0 while all is well).
inline constexpr int kStreamStatusRequestFailed = -1;
inline constexpr int kStreamStatusBadMarker = -2;
inline constexpr int kStreamStatusBadChannel = -3;
inline constexpr int kStreamStatusRingFull = 2;

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
    int feed(const uint8_t* data, size_t n, FrameSink& sink);

    int32_t state() const { return state_; }
    int32_t payloadLeft() const { return payloadLeft_; }
    uint8_t frameChannel() const { return frameChannel_; }

  private:
    int32_t state_ = kExpectMarker;
    int32_t payloadLeft_ = 0;
    uint8_t frameChannel_ = 0;
};

}  // namespace vornik
