// Kernel driver manager: probes the device paths of device numbers 0 to 9.
#include "enumeration/vornik_usb_driver_mgr.h"

#include <string>

namespace vornik {

VornikUsbDriverMgr::VornikUsbDriverMgr() : VornikUsbDriverMgr(platform::currentShared()) {}

VornikUsbDriverMgr::VornikUsbDriverMgr(std::shared_ptr<platform::Platform> owned)
    : owned_(std::move(owned)), os_(*owned_) {}

VornikUsbDriverMgr::VornikUsbDriverMgr(platform::Platform& os) : os_(os) {}

VornikUsbDriverMgr::~VornikUsbDriverMgr() = default;

std::string VornikUsbDriverMgr::devicePath(int deviceNumber) {
    return "\\\\.\\txusb-" + std::to_string(deviceNumber);
}

bool VornikUsbDriverMgr::scanForChanges(UsbDriverEventHandler& handler) {
    for (int number = 0; number < kDevices; ++number) {
        auto& slot = drivers_[static_cast<std::size_t>(number)];
        const platform::Handle handle = os_.createFileA(
            devicePath(number), platform::kGenericRead | platform::kGenericWrite,
            platform::kFileShareRead | platform::kFileShareWrite, platform::kOpenExisting, 0);
        const bool opened = handle != platform::kInvalidHandle;
        if (slot && !opened) {
            handler.interfaceRemoved(slot.get());
            slot.reset();
        } else if (slot && opened) {
            os_.closeHandle(handle);
        } else if (opened) {
            auto driver = std::make_unique<VornikUsbDriver>(os_);
            if (driver->open(handle)) {
                slot = std::move(driver);
                // Not attached (the report says why): a later scan tries again.
                if (!handler.interfaceArrived(slot.get())) slot.reset();
            } else {
                driver.reset();
                os_.closeHandle(handle);
            }
        }
    }
    return true;
}

bool VornikUsbDriverMgr::releaseAll(UsbDriverEventHandler& handler) {
    for (auto& slot : drivers_) {
        if (!slot) continue;
        handler.interfaceRemoved(slot.get());
        slot.reset();
    }
    return true;
}

}  // namespace vornik
