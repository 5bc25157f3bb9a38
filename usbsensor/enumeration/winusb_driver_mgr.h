// Finds interfaces bound to WinUSB under the vendor's two device-interface classes, downloads
// firmware to interfaces in loader mode, and notices interfaces that have gone.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "enumeration/usb_driver_mgr.h"
#include "platform/platform.h"
#include "transport/winusb_binding.h"
#include "transport/winusb_driver.h"

namespace vornik {

struct HostControllerList {
    struct Entry {
        platform::DevInst devInst = 0;
        platform::Handle handle = platform::kInvalidHandle;
    };
    std::int32_t count = 0;
    std::array<Entry, 10> entries{};
};

class WinUsbDriverMgr : public UsbDriverMgr {
  public:
    static constexpr int kSlots = 10;

    // Binds WinUSB and lists the host controllers through `os` (default: the current backend),
    // which must outlive the manager.
    WinUsbDriverMgr();
    explicit WinUsbDriverMgr(platform::Platform& os);
    ~WinUsbDriverMgr() override;
    WinUsbDriverMgr(const WinUsbDriverMgr&) = delete;
    WinUsbDriverMgr& operator=(const WinUsbDriverMgr&) = delete;

    // Scans the first class, then the second; true when the second scan attached an interface.
    bool scanForChanges(UsbDriverEventHandler& handler) override;
    bool releaseAll(UsbDriverEventHandler& handler) override;

    bool winUsbBound() const { return winUsb_.bound(); }
    const HostControllerList& hostControllers() const { return hostControllers_; }
    const WinUsbDeviceSlot& slot(int i) const { return slots_[static_cast<std::size_t>(i)]; }

  private:
    bool scanClass(const platform::Guid& interfaceClass, UsbDriverEventHandler& handler);
    void sweepRemoved(UsbDriverEventHandler& handler);
    void fillHostControllerList();
    platform::Handle findHostController(platform::DevInst devInst) const;
    void freeSlot(WinUsbDeviceSlot& slot);

    explicit WinUsbDriverMgr(std::shared_ptr<platform::Platform> owned);

    std::shared_ptr<platform::Platform> owned_;  // keeps the default backend alive
    platform::Platform& os_;
    std::array<WinUsbDeviceSlot, kSlots> slots_{};
    HostControllerList hostControllers_;
    WinUsbBinding winUsb_;
};

}  // namespace vornik
