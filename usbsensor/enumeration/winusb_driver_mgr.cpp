// WinUSB driver manager: host controller list, removal sweep and the class scan.
#include "enumeration/winusb_driver_mgr.h"

#include <array>
#include <cstdint>

#include "platform/config.h"

namespace vornik {

namespace {

constexpr std::uint32_t kReadWrite = platform::kGenericRead | platform::kGenericWrite;
constexpr std::uint32_t kShareReadWrite = platform::kFileShareRead | platform::kFileShareWrite;
constexpr std::uint32_t kOverlappedNormal =
    platform::kFileFlagOverlapped | platform::kFileAttributeNormal;
constexpr std::uint32_t kDeviceDescriptorLength = 18;

}  // namespace

WinUsbDriverMgr::WinUsbDriverMgr() : WinUsbDriverMgr(platform::currentShared()) {}

WinUsbDriverMgr::WinUsbDriverMgr(std::shared_ptr<platform::Platform> owned)
    : owned_(std::move(owned)), os_(*owned_), winUsb_(bindWinUsb(os_)) {
    fillHostControllerList();
}

WinUsbDriverMgr::WinUsbDriverMgr(platform::Platform& os) : os_(os), winUsb_(bindWinUsb(os)) {
    fillHostControllerList();
}

WinUsbDriverMgr::~WinUsbDriverMgr() {
    for (auto& slot : slots_) {
        if (slot.driver != nullptr) freeSlot(slot);
    }
    for (int i = 0; i < hostControllers_.count; ++i) {
        os_.closeHandle(hostControllers_.entries[static_cast<std::size_t>(i)].handle);
    }
}

void WinUsbDriverMgr::fillHostControllerList() {
    const platform::Handle set = os_.getClassDevs(platform::kHostControllerClass);
    if (set == platform::kInvalidHandle) return;
    for (std::uint32_t index = 0; index < hostControllers_.entries.size(); ++index) {
        const auto member = os_.enumDeviceInterface(set, platform::kHostControllerClass, index);
        if (!member) break;
        const platform::Handle handle = os_.createFileW(member->path, kReadWrite, kShareReadWrite,
                                                        platform::kOpenExisting, kOverlappedNormal);
        if (handle == platform::kInvalidHandle) break;
        hostControllers_.entries[index] = {member->devInst, handle};
        hostControllers_.count = static_cast<std::int32_t>(index + 1);
    }
    os_.destroyDeviceInfoList(set);
}

platform::Handle WinUsbDriverMgr::findHostController(platform::DevInst devInst) const {
    platform::DevInst node = devInst;
    platform::DevInst parent = 0;
    while (os_.getParent(node, parent)) {
        for (int i = 0; i < hostControllers_.count; ++i) {
            const auto& entry = hostControllers_.entries[static_cast<std::size_t>(i)];
            if (entry.devInst == parent) return entry.handle;
        }
        node = parent;
    }
    return platform::kInvalidHandle;
}

void WinUsbDriverMgr::freeSlot(WinUsbDeviceSlot& slot) {
    slot.driver.reset();
    slot.vendorId = 0;
    slot.productId = 0;
    slot.inUse = 0;
    if (slot.winUsb != nullptr) winUsb_.free(slot.winUsb);
    slot.winUsb = nullptr;
    if (slot.file != platform::kInvalidHandle) os_.closeHandle(slot.file);
    slot.file = platform::kInvalidHandle;
}

void WinUsbDriverMgr::sweepRemoved(UsbDriverEventHandler& handler) {
    for (auto& slot : slots_) {
        if (!slot.inUse) continue;
        std::array<std::uint8_t, 4> speed{};
        std::uint32_t length = static_cast<std::uint32_t>(speed.size());
        if (winUsb_.queryDeviceInformation(slot.winUsb, platform::kWinUsbDeviceSpeed, &length,
                                           speed.data())) {
            continue;
        }
        handler.interfaceRemoved(slot.driver.get());
        freeSlot(slot);
    }
}

bool WinUsbDriverMgr::scanClass(const platform::Guid& interfaceClass,
                                UsbDriverEventHandler& handler) {
    if (!winUsb_.bound()) return false;
    sweepRemoved(handler);

    bool attached = false;
    const platform::Handle set = os_.getClassDevs(interfaceClass);
    if (set == platform::kInvalidHandle) return false;
    for (std::uint32_t index = 0; index < kSlots; ++index) {
        const auto member = os_.enumDeviceInterface(set, interfaceClass, index);
        if (!member) break;

        // An interface already attached (possibly found under the other class).
        bool known = false;
        for (auto& slot : slots_) {
            if (slot.inUse && slot.file != platform::kInvalidHandle &&
                slot.devInst == member->devInst) {
                known = true;
                break;
            }
        }
        if (known) continue;

        WinUsbDeviceSlot* slot = nullptr;
        for (auto& candidate : slots_) {
            if (!candidate.inUse) {
                slot = &candidate;
                break;
            }
        }
        if (slot == nullptr) continue;

        const platform::Handle controller = findHostController(member->devInst);
        if (controller != platform::kInvalidHandle) slot->hostController = controller;

        slot->file = os_.createFileW(member->path, platform::kGenericRead | platform::kGenericWrite,
                                     platform::kFileShareRead | platform::kFileShareWrite,
                                     platform::kOpenExisting, kOverlappedNormal);
        if (slot->file == platform::kInvalidHandle) continue;
        if (!winUsb_.initialize(platform::toWinHandle(slot->file), &slot->winUsb)) {
            slot->winUsb = nullptr;
            os_.closeHandle(slot->file);
            slot->file = platform::kInvalidHandle;
            continue;
        }
        std::array<std::uint8_t, kDeviceDescriptorLength> descriptor{};
        std::uint32_t got = 0;
        // A descriptor shorter than 18 bytes would leave the ids unread: treat it as a failure.
        if (!winUsb_.getDescriptor(slot->winUsb, platform::kUsbDeviceDescriptorType, 0, 0,
                                   descriptor.data(), kDeviceDescriptorLength, &got) ||
            got < kDeviceDescriptorLength) {
            winUsb_.free(slot->winUsb);
            slot->winUsb = nullptr;
            os_.closeHandle(slot->file);
            slot->file = platform::kInvalidHandle;
            continue;
        }
        slot->vendorId = descriptor[8] | (descriptor[9] << 8);
        slot->productId = descriptor[10] | (descriptor[11] << 8);
        slot->driver = std::make_unique<WinUsbDriver>(slot, winUsb_, os_);

        if (slot->vendorId == vendorUsbId && slot->productId == kLoaderProductId) {
            // The interface reconnects with its working product id; a later scan attaches it.
            slot->driver->loadFirmware();
            freeSlot(*slot);
            continue;
        }
        slot->devInst = member->devInst;
        slot->inUse = 1;
        if (!handler.interfaceArrived(slot->driver.get())) {
            // Not attached (the report says why): free the slot, a later scan tries again.
            freeSlot(*slot);
            slot->devInst = 0;
            continue;
        }
        attached = true;
    }
    os_.destroyDeviceInfoList(set);
    return attached;
}

bool WinUsbDriverMgr::scanForChanges(UsbDriverEventHandler& handler) {
    scanClass(vendorInterfaceClass1, handler);
    return scanClass(vendorInterfaceClass2, handler);
}

bool WinUsbDriverMgr::releaseAll(UsbDriverEventHandler& handler) {
    for (auto& slot : slots_) {
        if (slot.driver == nullptr) continue;
        handler.interfaceRemoved(slot.driver.get());
        freeSlot(slot);
        slot.devInst = 0;
        slot.hostController = platform::kInvalidHandle;
        slot.status = 0;
    }
    return true;
}

}  // namespace vornik
