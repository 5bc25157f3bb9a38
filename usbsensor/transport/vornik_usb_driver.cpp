// Kernel driver transport: control codes, the 10-byte vendor request block and the pipe table.
#include "transport/vornik_usb_driver.h"

#include <array>
#include <cstring>

#include "platform/config.h"
#include "platform/diagnostics.h"

namespace vornik {

namespace {

constexpr std::uint32_t kDescriptorLength = 18;
constexpr std::uint16_t kSpecialProductId = 2;

// The kernel driver takes host-to-device data in its output buffer, hence the cast.
void* mutableBytes(const void* buffer) {
    return const_cast<void*>(buffer);
}

}  // namespace

VornikUsbDriver::VornikUsbDriver(platform::Platform& os) : os_(os) {}

VornikUsbDriver::~VornikUsbDriver() {
    if (device_ != platform::kInvalidHandle) os_.closeHandle(device_);
    device_ = platform::kInvalidHandle;
}

bool VornikUsbDriver::open(platform::Handle device) {
    std::array<std::uint8_t, kDescriptorLength> descriptor{};
    std::uint32_t returned = 0;
    if (!os_.deviceIoControl(device, kernel_ioctl::kGetDeviceDescriptor, nullptr, 0,
                             descriptor.data(), kDescriptorLength, &returned) ||
        returned != kDescriptorLength) {
        return false;
    }
    device_ = device;
    vendorId_ = descriptor[8] | (descriptor[9] << 8);
    productId_ = descriptor[10] | (descriptor[11] << 8);
    if (vendorId_ == vendorUsbId && productId_ == kSpecialProductId) {
        std::array<std::uint8_t, 2> real{};
        std::int32_t got = 0;
        if (controlIn(kRealProductIdRequest, 0, 0, real.data(), 2, &got) && got == 2) {
            productId_ = real[0] | (real[1] << 8);
        }
    }
    return true;
}

std::int32_t VornikUsbDriver::currentFrameNumber() {
    std::uint32_t frame = 0;
    std::uint32_t returned = 0;
    if (!os_.deviceIoControl(device_, kernel_ioctl::kGetFrameNumber, nullptr, 0, &frame,
                             sizeof frame, &returned) ||
        returned != sizeof frame) {
        return -1;
    }
    return static_cast<std::int32_t>(frame);
}

bool VornikUsbDriver::vendorRequest(std::uint8_t direction, std::uint8_t request,
                                    std::uint16_t value, std::uint16_t index, void* buffer,
                                    std::int32_t length, std::int32_t* transferred) {
    // The data stage of a control transfer has a 16-bit length.
    if (length < 0 || length > 0xFFFF) return false;
    // direction, vendor type, endpoint recipient, 0, request, 0, value, index
    const std::array<std::uint8_t, 10> block{direction,
                                             2,
                                             2,
                                             0,
                                             request,
                                             0,
                                             static_cast<std::uint8_t>(value & 0xFF),
                                             static_cast<std::uint8_t>(value >> 8),
                                             static_cast<std::uint8_t>(index & 0xFF),
                                             static_cast<std::uint8_t>(index >> 8)};
    std::uint32_t returned = 0;
    if (!os_.deviceIoControl(device_, kernel_ioctl::kVendorRequest, block.data(),
                             static_cast<std::uint32_t>(block.size()),
                             length == 0 ? nullptr : buffer, static_cast<std::uint32_t>(length),
                             &returned)) {
        diagnostics::log("kernel driver request 0x%02X %s (value %u, index %u, %d bytes) failed",
                         request, direction == 1 ? "IN" : "OUT", value, index, length);
        return false;
    }
    if (transferred) *transferred = static_cast<std::int32_t>(returned);
    return true;
}

bool VornikUsbDriver::controlIn(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                                void* buffer, std::int32_t length, std::int32_t* transferred) {
    return vendorRequest(1, request, value, index, buffer, length, transferred);
}

bool VornikUsbDriver::controlOut(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                                 const void* buffer, std::int32_t length) {
    return vendorRequest(0, request, value, index, mutableBytes(buffer), length, nullptr);
}

std::int32_t VornikUsbDriver::pipeValue(std::uint8_t endpoint) {
    std::lock_guard lock(pipesMutex_);
    for (auto& entry : pipes_) {
        if (entry.endpoint == endpoint) return entry.pipe;
        if (entry.endpoint != 0) continue;
        const std::array<std::uint8_t, 4> query{static_cast<std::uint8_t>(endpoint >> 7),
                                                static_cast<std::uint8_t>(endpoint & 0x0F), 2, 0};
        std::int32_t pipe = -1;
        std::uint32_t returned = 0;
        if (os_.deviceIoControl(device_, kernel_ioctl::kLookupPipe, query.data(), 4, &pipe,
                                sizeof pipe, &returned)) {
            entry.endpoint = endpoint;
            entry.pipe = pipe;
            return pipe;
        }
    }
    return -1;
}

bool VornikUsbDriver::pipeTransfer(std::uint32_t code, std::uint8_t pipe, void* buffer,
                                   std::int32_t length, std::int32_t* transferred) {
    if (length < 0) return false;
    const std::int32_t value = pipeValue(pipe);
    std::uint32_t returned = 0;
    if (!os_.deviceIoControl(device_, code, &value, sizeof value, buffer,
                             static_cast<std::uint32_t>(length), &returned)) {
        diagnostics::log("kernel driver pipe 0x%02X control code 0x%X (%d bytes) failed", pipe,
                         static_cast<unsigned>(code), length);
        return false;
    }
    if (transferred) *transferred = static_cast<std::int32_t>(returned);
    return true;
}

bool VornikUsbDriver::readPipe(std::uint8_t pipe, void* buffer, std::int32_t length,
                               std::int32_t* transferred) {
    return pipeTransfer(kernel_ioctl::kReadPipe, pipe, buffer, length, transferred);
}

bool VornikUsbDriver::writePipe(std::uint8_t pipe, const void* buffer, std::int32_t length,
                                std::int32_t* transferred) {
    return pipeTransfer(kernel_ioctl::kWritePipe, pipe, mutableBytes(buffer), length, transferred);
}

bool VornikUsbDriver::resetPipe(std::uint8_t pipe) {
    return pipeTransfer(kernel_ioctl::kResetPipe, pipe, nullptr, 0, nullptr);
}

bool VornikUsbDriver::abortPipe(std::uint8_t pipe) {
    return pipeTransfer(kernel_ioctl::kAbortPipe, pipe, nullptr, 0, nullptr);
}

}  // namespace vornik
