// Finds interfaces bound to the vendor's kernel driver by probing device numbers 0 to 9.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "enumeration/usb_driver_mgr.h"
#include "platform/platform.h"
#include "transport/vornik_usb_driver.h"

namespace vornik {

class VornikUsbDriverMgr : public UsbDriverMgr {
  public:
    static constexpr int kDevices = 10;

    // Probes through `os` (default: the current backend), which must outlive the manager.
    VornikUsbDriverMgr();
    explicit VornikUsbDriverMgr(platform::Platform& os);
    // Deletes the drivers without callbacks.
    ~VornikUsbDriverMgr() override;

    bool scanForChanges(UsbDriverEventHandler& handler) override;
    bool releaseAll(UsbDriverEventHandler& handler) override;

    const VornikUsbDriver* driver(int deviceNumber) const {
        return drivers_[static_cast<std::size_t>(deviceNumber)].get();
    }

    // "\\.\txusb-<n>", as 8-bit (UTF-8) text.
    static std::string devicePath(int deviceNumber);

  private:
    explicit VornikUsbDriverMgr(std::shared_ptr<platform::Platform> owned);

    std::shared_ptr<platform::Platform> owned_;  // keeps the default backend alive
    platform::Platform& os_;
    std::array<std::unique_ptr<VornikUsbDriver>, kDevices> drivers_;
};

}  // namespace vornik
