// Stream frame parser.
#include "protocol/frame_parser.h"

#include <algorithm>

namespace vornik {

int FrameParser::feed(const uint8_t* data, size_t n, FrameSink& sink) {
    size_t i = 0;
    while (i < n) {
        switch (state_) {
            case kExpectMarker:
                if (data[i] != kMarker) return kStreamStatusBadMarker;
                if (n - i >= 4) {
                    // A whole header in this block: take it at once.
                    frameChannel_ = data[i + 1];
                    if (!sink.hasChannel(frameChannel_)) return kStreamStatusBadChannel;
                    payloadLeft_ = data[i + 2] | (data[i + 3] << 8);
                    i += 4;
                    state_ = payloadLeft_ == 0 ? kExpectMarker : kInPayload;
                    break;
                }
                ++i;
                state_ = kExpectChannel;
                break;
            case kExpectChannel:
                frameChannel_ = data[i++];
                if (!sink.hasChannel(frameChannel_)) return kStreamStatusBadChannel;
                state_ = kExpectLengthLow;
                break;
            case kExpectLengthLow:
                payloadLeft_ = data[i++];
                state_ = kExpectLengthHigh;
                break;
            case kExpectLengthHigh:
                payloadLeft_ += data[i++] * 256;
                state_ = payloadLeft_ == 0 ? kExpectMarker : kInPayload;
                break;
            default: {
                const size_t k = std::min(static_cast<size_t>(payloadLeft_), n - i);
                if (sink.store(frameChannel_, data + i, k) == StoreResult::Full)
                    return kStreamStatusRingFull;
                payloadLeft_ -= static_cast<int32_t>(k);
                i += k;
                if (payloadLeft_ == 0) state_ = kExpectMarker;
                break;
            }
        }
    }
    return 0;
}

}  // namespace vornik
