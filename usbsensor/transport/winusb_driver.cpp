// WinUSB transport: vendor requests, bulk pipes, frame number and firmware download.
#include "transport/winusb_driver.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/config.h"
#include "platform/diagnostics.h"

namespace vornik {

namespace {

constexpr std::uint8_t kRequestTypeVendorIn = 0xC2;   // device to host, vendor, endpoint
constexpr std::uint8_t kRequestTypeVendorOut = 0x42;  // host to device, vendor, endpoint

// Loader-mode requests of the interface's controller.
constexpr std::uint8_t kFirmwareLoadRequest = 0xA0;
constexpr std::uint16_t kCpuControlRegister = 0x7F92;
constexpr std::size_t kFirmwareChunk = 1000;

std::uint8_t* bytes(void* buffer) {
    return static_cast<std::uint8_t*>(buffer);
}

// WinUSB takes non-const buffers even for OUT transfers it only reads.
std::uint8_t* bytes(const void* buffer) {
    return const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(buffer));
}

}  // namespace

WinUsbDriver::WinUsbDriver(WinUsbDeviceSlot* slot, const WinUsbBinding& winUsb,
                           platform::Platform& os)
    : slot_(slot), winUsb_(winUsb), os_(os) {}

std::int32_t WinUsbDriver::vendorId() const {
    return slot_ ? slot_->vendorId : 0;
}

std::int32_t WinUsbDriver::productId() const {
    return slot_ ? slot_->productId : 0;
}

bool WinUsbDriver::statusFlag() const {
    return slot_ && slot_->status != 0;
}

std::int32_t WinUsbDriver::currentFrameNumber() {
    if (!slot_) return 0;
    // USBUSER_REQUEST_HEADER then USB_BUS_STATISTICS_0, one block for input and output.
    std::array<std::uint8_t, kBusStatisticsRequestSize> block{};
    const std::uint32_t header[4] = {kUsbUserGetBusStatistics0, 0, kBusStatisticsRequestSize, 0};
    std::memcpy(block.data(), header, sizeof header);
    std::uint32_t returned = 0;
    if (!os_.deviceIoControl(slot_->hostController, kIoctlUsbUserRequest, block.data(),
                             kBusStatisticsRequestSize, block.data(), kBusStatisticsRequestSize,
                             &returned)) {
        return -1;
    }
    std::int32_t frame = 0;
    std::memcpy(&frame, block.data() + kBusStatisticsFrameOffset, sizeof frame);
    return frame;
}

bool WinUsbDriver::controlIn(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                             void* buffer, std::int32_t length, std::int32_t* transferred) {
    if (!slot_ || length < 0 || length > 0xFFFF) return false;
    const platform::WinUsbSetupPacket setup{kRequestTypeVendorIn, request, value, index,
                                            static_cast<std::uint16_t>(length)};
    std::uint32_t done = 0;
    if (!winUsb_.controlTransfer(slot_->winUsb, setup, length == 0 ? nullptr : bytes(buffer),
                                 static_cast<std::uint32_t>(length), &done, nullptr)) {
        diagnostics::log("WinUSB request 0x%02X IN (value %u, index %u, %d bytes) failed", request,
                         value, index, length);
        return false;
    }
    if (transferred) *transferred = static_cast<std::int32_t>(done);
    return true;
}

bool WinUsbDriver::controlOut(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                              const void* buffer, std::int32_t length) {
    if (!slot_ || length < 0 || length > 0xFFFF) return false;
    const platform::WinUsbSetupPacket setup{kRequestTypeVendorOut, request, value, index,
                                            static_cast<std::uint16_t>(length)};
    std::uint32_t done = 0;
    if (!winUsb_.controlTransfer(slot_->winUsb, setup, length == 0 ? nullptr : bytes(buffer),
                                 static_cast<std::uint32_t>(length), &done, nullptr)) {
        diagnostics::log("WinUSB request 0x%02X OUT (value %u, index %u, %d bytes) failed", request,
                         value, index, length);
        return false;
    }
    return true;
}

bool WinUsbDriver::readPipe(std::uint8_t pipe, void* buffer, std::int32_t length,
                            std::int32_t* transferred) {
    if (!slot_ || length < 0) return false;
    std::uint32_t done = 0;
    if (!winUsb_.readPipe(slot_->winUsb, pipe, bytes(buffer), static_cast<std::uint32_t>(length),
                          &done, nullptr)) {
        diagnostics::log("WinUSB read of pipe 0x%02X (%d bytes) failed", pipe, length);
        return false;
    }
    if (transferred) *transferred = static_cast<std::int32_t>(done);
    return true;
}

bool WinUsbDriver::writePipe(std::uint8_t pipe, const void* buffer, std::int32_t length,
                             std::int32_t* transferred) {
    if (!slot_ || length < 0) return false;
    std::uint32_t done = 0;
    if (!winUsb_.writePipe(slot_->winUsb, pipe, bytes(buffer), static_cast<std::uint32_t>(length),
                           &done, nullptr)) {
        diagnostics::log("WinUSB write of pipe 0x%02X (%d bytes) failed", pipe, length);
        return false;
    }
    if (transferred) *transferred = static_cast<std::int32_t>(done);
    return true;
}

bool WinUsbDriver::resetPipe(std::uint8_t pipe) {
    return slot_ && winUsb_.resetPipe(slot_->winUsb, pipe) != 0;
}

bool WinUsbDriver::abortPipe(std::uint8_t pipe) {
    return slot_ && winUsb_.abortPipe(slot_->winUsb, pipe) != 0;
}

bool WinUsbDriver::loadFirmware() {
    const std::uint8_t hold = 0x01;
    const std::uint8_t run = 0x00;
    controlOut(kFirmwareLoadRequest, kCpuControlRegister, 0, &hold, 1);
    const auto image = firmwareImage();
    // The chunk's offset in the image is its load address.
    for (std::size_t offset = 0; offset < image.size(); offset += kFirmwareChunk) {
        const std::size_t size = std::min(kFirmwareChunk, image.size() - offset);
        controlOut(kFirmwareLoadRequest, static_cast<std::uint16_t>(offset), 0,
                   image.data() + offset, static_cast<std::int32_t>(size));
    }
    controlOut(kFirmwareLoadRequest, kCpuControlRegister, 0, &run, 1);
    return true;
}

}  // namespace vornik
