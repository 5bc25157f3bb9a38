// Transport over the vendor's kernel driver: private device I/O control codes on a device handle.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "platform/platform.h"
#include "transport/usb_driver.h"

namespace vornik {

// Control codes of the kernel driver (device type 0x22).
namespace kernel_ioctl {
inline constexpr std::uint32_t kGetDeviceDescriptor = 0x222004;
inline constexpr std::uint32_t kResetPipe = 0x222035;
inline constexpr std::uint32_t kAbortPipe = 0x22203D;
inline constexpr std::uint32_t kReadPipe = 0x22204E;
inline constexpr std::uint32_t kWritePipe = 0x222051;
inline constexpr std::uint32_t kGetFrameNumber = 0x222054;
inline constexpr std::uint32_t kVendorRequest = 0x222059;
inline constexpr std::uint32_t kLookupPipe = 0x222084;
}  // namespace kernel_ioctl

inline constexpr std::uint8_t kRealProductIdRequest = 0xED;

class VornikUsbDriver : public UsbDriver {
  public:
    explicit VornikUsbDriver(platform::Platform& os);
    ~VornikUsbDriver() override;
    VornikUsbDriver(const VornikUsbDriver&) = delete;
    VornikUsbDriver& operator=(const VornikUsbDriver&) = delete;

    // Takes the device handle and reads the device descriptor; false when fewer than 18 bytes
    // came back (the handle then stays with the caller).
    bool open(platform::Handle device);

    std::int32_t vendorId() const override { return vendorId_; }
    std::int32_t productId() const override { return productId_; }
    bool statusFlag() const override { return status_ != 0; }
    std::int32_t currentFrameNumber() override;
    bool controlIn(std::uint8_t request, std::uint16_t value, std::uint16_t index, void* buffer,
                   std::int32_t length, std::int32_t* transferred = nullptr) override;
    bool controlOut(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                    const void* buffer, std::int32_t length) override;
    bool readPipe(std::uint8_t pipe, void* buffer, std::int32_t length,
                  std::int32_t* transferred = nullptr) override;
    bool writePipe(std::uint8_t pipe, const void* buffer, std::int32_t length,
                   std::int32_t* transferred = nullptr) override;
    bool resetPipe(std::uint8_t pipe) override;
    bool abortPipe(std::uint8_t pipe) override;

    // The kernel driver's pipe value for an endpoint address (cached in a 4-entry table); -1
    // when the table is full or no lookup succeeds.
    std::int32_t pipeValue(std::uint8_t endpoint);

  private:
    struct PipeEntry {
        std::int32_t endpoint = 0;
        std::int32_t pipe = 0;
    };

    bool vendorRequest(std::uint8_t direction, std::uint8_t request, std::uint16_t value,
                       std::uint16_t index, void* buffer, std::int32_t length,
                       std::int32_t* transferred);
    bool pipeTransfer(std::uint32_t code, std::uint8_t pipe, void* buffer, std::int32_t length,
                      std::int32_t* transferred);

    platform::Platform& os_;
    platform::Handle device_ = platform::kInvalidHandle;
    std::int32_t vendorId_ = 0;
    std::int32_t productId_ = 0;
    std::uint8_t status_ = 0;
    std::mutex pipesMutex_;  // the reader thread and the caller map endpoints concurrently
    std::array<PipeEntry, 4> pipes_{};
};

}  // namespace vornik
