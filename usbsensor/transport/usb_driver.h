// Transport of one USB sensor interface: identity, vendor control requests and bulk pipes.
// The base class answers every operation with its failure value; a transport overrides the
// operations it carries. One transport is used from two threads at once (caller and reader).
#pragma once

#include <cstdint>

namespace vornik {

class UsbDriver {
  public:
    virtual ~UsbDriver() = default;

    virtual std::int32_t vendorId() const { return 0; }
    virtual std::int32_t productId() const { return 0; }
    virtual bool statusFlag() const { return false; }
    virtual std::int32_t currentFrameNumber() { return -1; }

    // Vendor request, device to host (request type 0xC2). `buffer` may be null when `length` is 0.
    virtual bool controlIn(std::uint8_t /*request*/, std::uint16_t /*value*/,
                           std::uint16_t /*index*/, void* /*buffer*/, std::int32_t /*length*/,
                           std::int32_t* /*transferred*/ = nullptr) {
        return false;
    }
    // Vendor request, host to device (request type 0x42).
    virtual bool controlOut(std::uint8_t /*request*/, std::uint16_t /*value*/,
                            std::uint16_t /*index*/, const void* /*buffer*/,
                            std::int32_t /*length*/) {
        return false;
    }
    // Bulk transfers on the pipe of endpoint address `pipe` (0x82: stream IN).
    virtual bool readPipe(std::uint8_t /*pipe*/, void* /*buffer*/, std::int32_t /*length*/,
                          std::int32_t* /*transferred*/ = nullptr) {
        return false;
    }
    virtual bool writePipe(std::uint8_t /*pipe*/, const void* /*buffer*/, std::int32_t /*length*/,
                           std::int32_t* /*transferred*/ = nullptr) {
        return false;
    }
    virtual bool resetPipe(std::uint8_t /*pipe*/) { return false; }
    virtual bool abortPipe(std::uint8_t /*pipe*/) { return false; }
};

// Endpoint address of the sample stream.
inline constexpr std::uint8_t kStreamPipe = 0x82;

}  // namespace vornik
