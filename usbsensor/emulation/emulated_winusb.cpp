// The emulated WinUSB module: entry points handed out by getProcAddress that find their emulated
// platform through the handle they are given.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "emulation/emulated_platform.h"
#include "emulation/handle_registry.h"
#include "platform/winusb_functions.h"

namespace vornik::emulation {

using platform::WinBool;
using platform::WinHandle;
using platform::WinUsbInterfaceHandle;
using platform::WinUsbSetupPacket;

namespace {
// The module handle of the emulated WinUSB (any distinct non-null address).
char moduleToken;

}  // namespace

struct EmulatedPlatform::WinUsbCalls {
    static std::shared_ptr<EmulatedInterface> device(WinUsbInterfaceHandle handle) {
        EmulatedPlatform* owner = handle_registry::owner(platform::fromWinHandle(handle));
        return owner ? owner->winUsbDevice(handle) : nullptr;
    }

    static WinBool VORNIK_WINAPI initialize(WinHandle file, WinUsbInterfaceHandle* out) {
        const auto fileHandle = platform::fromWinHandle(file);
        EmulatedPlatform* owner = handle_registry::owner(fileHandle);
        if (!owner || !out) return 0;
        std::lock_guard lock(owner->mutex_);
        const auto it = owner->objects_.find(fileHandle);
        if (it == owner->objects_.end()) return 0;
        const auto* deviceFile = std::get_if<DeviceFile>(&it->second);
        // WinUSB works on files opened for overlapped I/O only.
        if (!deviceFile || deviceFile->kernel ||
            (deviceFile->flags & platform::kFileFlagOverlapped) == 0) {
            return 0;
        }
        const auto state = deviceFile->device->busState();
        if (!state.present || state.generation != deviceFile->generation) return 0;
        const platform::Handle handle = handle_registry::allocate(owner);
        owner->winUsbHandles_[handle] = {deviceFile->device, deviceFile->generation};
        *out = platform::toWinHandle(handle);
        return 1;
    }

    static WinBool VORNIK_WINAPI free(WinUsbInterfaceHandle handle) {
        const auto value = platform::fromWinHandle(handle);
        EmulatedPlatform* owner = handle_registry::owner(value);
        if (!owner) return 0;
        std::lock_guard lock(owner->mutex_);
        if (owner->winUsbHandles_.erase(value) == 0) return 0;
        handle_registry::release(value);
        return 1;
    }

    static WinBool VORNIK_WINAPI getDescriptor(WinUsbInterfaceHandle handle, std::uint8_t type,
                                               std::uint8_t index, std::uint16_t languageId,
                                               std::uint8_t* buffer, std::uint32_t length,
                                               std::uint32_t* transferred) {
        const auto dev = device(handle);
        if (!dev || type != platform::kUsbDeviceDescriptorType || index != 0 || languageId != 0 ||
            !buffer || !transferred) {
            return 0;
        }
        *transferred = dev->descriptor(buffer, length);
        return 1;
    }

    static WinBool VORNIK_WINAPI queryDeviceInformation(WinUsbInterfaceHandle handle,
                                                        std::uint32_t informationType,
                                                        std::uint32_t* length, void* buffer) {
        const auto dev = device(handle);
        if (!dev || informationType != platform::kWinUsbDeviceSpeed || !length || *length < 1 ||
            !buffer) {
            return 0;
        }
        *static_cast<std::uint8_t*>(buffer) = 3;  // high speed
        *length = 1;
        return 1;
    }

    static WinBool VORNIK_WINAPI readPipe(WinUsbInterfaceHandle handle, std::uint8_t pipe,
                                          std::uint8_t* buffer, std::uint32_t length,
                                          std::uint32_t* transferred, void* overlapped) {
        const auto dev = device(handle);
        if (!dev || overlapped || (!buffer && length > 0)) return 0;
        const auto reply = dev->readPipe(pipe, buffer, length);
        if (transferred) *transferred = reply.transferred;
        return reply.ok ? 1 : 0;
    }

    static WinBool VORNIK_WINAPI writePipe(WinUsbInterfaceHandle handle, std::uint8_t pipe,
                                           std::uint8_t* buffer, std::uint32_t length,
                                           std::uint32_t* transferred, void* overlapped) {
        const auto dev = device(handle);
        if (!dev || overlapped || (!buffer && length > 0)) return 0;
        const auto reply = dev->writePipe(pipe, buffer, length);
        if (transferred) *transferred = reply.transferred;
        return reply.ok ? 1 : 0;
    }

    static WinBool VORNIK_WINAPI controlTransfer(WinUsbInterfaceHandle handle,
                                                 WinUsbSetupPacket setup, std::uint8_t* buffer,
                                                 std::uint32_t length, std::uint32_t* transferred,
                                                 void* overlapped) {
        const auto dev = device(handle);
        // The data stage is as long as the setup packet says; the buffer must hold it.
        if (!dev || overlapped || length < setup.length || (!buffer && setup.length > 0)) return 0;
        const auto reply = dev->control(setup.requestType, setup.request, setup.value, setup.index,
                                        buffer, setup.length, buffer == nullptr);
        if (transferred) *transferred = reply.transferred;
        return reply.ok ? 1 : 0;
    }

    static WinBool VORNIK_WINAPI resetPipe(WinUsbInterfaceHandle handle, std::uint8_t pipe) {
        const auto dev = device(handle);
        return dev && dev->resetPipe(pipe) ? 1 : 0;
    }

    static WinBool VORNIK_WINAPI abortPipe(WinUsbInterfaceHandle handle, std::uint8_t pipe) {
        const auto dev = device(handle);
        return dev && dev->abortPipe(pipe) ? 1 : 0;
    }
};

std::shared_ptr<EmulatedInterface> EmulatedPlatform::winUsbDevice(void* handle) {
    std::lock_guard lock(mutex_);
    reconnectDue();
    const auto it = winUsbHandles_.find(platform::fromWinHandle(handle));
    if (it == winUsbHandles_.end()) return nullptr;
    const auto state = it->second.device->busState();
    if (!state.present || state.generation != it->second.generation) return nullptr;
    return it->second.device;
}

platform::ModuleHandle EmulatedPlatform::loadLibraryW(std::u16string_view name) {
    std::u16string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; });
    std::lock_guard lock(mutex_);
    if (lower != u"winusb.dll" || !winUsbInstalled_) return nullptr;
    ++loadedModules_;
    return &moduleToken;
}

platform::ProcAddress EmulatedPlatform::getProcAddress(platform::ModuleHandle module,
                                                       const char* name) {
    if (module != &moduleToken || !name) return nullptr;
    {
        std::lock_guard lock(mutex_);
        if (missingWinUsbFunctions_.count(name)) return nullptr;
    }
    const std::string_view n(name);
    const auto entry = [](auto function) {
        return reinterpret_cast<platform::ProcAddress>(function);
    };
    if (n == "WinUsb_Initialize") return entry(&WinUsbCalls::initialize);
    if (n == "WinUsb_Free") return entry(&WinUsbCalls::free);
    if (n == "WinUsb_GetDescriptor") return entry(&WinUsbCalls::getDescriptor);
    if (n == "WinUsb_QueryDeviceInformation") return entry(&WinUsbCalls::queryDeviceInformation);
    if (n == "WinUsb_ReadPipe") return entry(&WinUsbCalls::readPipe);
    if (n == "WinUsb_WritePipe") return entry(&WinUsbCalls::writePipe);
    if (n == "WinUsb_ControlTransfer") return entry(&WinUsbCalls::controlTransfer);
    if (n == "WinUsb_ResetPipe") return entry(&WinUsbCalls::resetPipe);
    if (n == "WinUsb_AbortPipe") return entry(&WinUsbCalls::abortPipe);
    return nullptr;
}

bool EmulatedPlatform::freeLibrary(platform::ModuleHandle module) {
    std::lock_guard lock(mutex_);
    if (module != &moduleToken || loadedModules_ == 0) return false;
    --loadedModules_;
    return true;
}

}  // namespace vornik::emulation
