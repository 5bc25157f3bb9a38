// Transport over WinUSB: vendor requests as control transfers, bulk pipes, and the frame number
// through the host controller. The driver works on a slot its manager keeps.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/platform.h"
#include "transport/usb_driver.h"
#include "transport/winusb_binding.h"

namespace vornik {

struct WinUsbDeviceSlot;

// IOCTL_USB_USER_REQUEST, and the bus statistics request it carries.
inline constexpr std::uint32_t kIoctlUsbUserRequest = 0x220438;
inline constexpr std::uint32_t kUsbUserGetBusStatistics0 = 6;
inline constexpr std::uint32_t kBusStatisticsRequestSize = 72;
inline constexpr std::uint32_t kBusStatisticsFrameOffset = 28;

class WinUsbDriver : public UsbDriver {
  public:
    // `slot` may be null (every operation then fails); `os` and `winUsb` outlive the driver.
    WinUsbDriver(WinUsbDeviceSlot* slot, const WinUsbBinding& winUsb, platform::Platform& os);

    std::int32_t vendorId() const override;
    std::int32_t productId() const override;
    bool statusFlag() const override;
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

    // Downloads the firmware image to an interface in loader mode; always reports success.
    bool loadFirmware();

  private:
    WinUsbDeviceSlot* slot_;
    const WinUsbBinding& winUsb_;
    platform::Platform& os_;
};

// The manager's record of one WinUSB interface; the slot owns its driver.
struct WinUsbDeviceSlot {
    std::unique_ptr<WinUsbDriver> driver;
    platform::DevInst devInst = 0;
    platform::Handle file = platform::kInvalidHandle;
    platform::WinUsbInterfaceHandle winUsb = nullptr;
    platform::Handle hostController = platform::kInvalidHandle;
    std::int32_t vendorId = 0;
    std::int32_t productId = 0;
    std::uint8_t status = 0;
    std::uint8_t inUse = 0;
};

}  // namespace vornik
