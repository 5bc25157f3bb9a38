// Build-time configuration of the USB sensor library: the identity under which the vendor's
// interfaces are installed, and the firmware that turns a loader-mode interface into a working one.
//
// The three identity values below belong to the interfaces and their installation files. The
// values here are the ones the emulated interfaces use; a Windows build for real devices must set
// them to the GUIDs of the installation files and to the vendor's USB vendor id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/platform.h"

namespace vornik {

// Device-interface class under which WinUSB-bound interfaces are registered (scanned first).
inline constexpr platform::Guid vendorInterfaceClass1{
    0x6A1D4C70, 0x2B93, 0x4E0F, {0x9C, 0x51, 0x0D, 0x37, 0xA8, 0x62, 0x14, 0xE1}};
// Second device-interface class of the same interfaces (scanned second).
inline constexpr platform::Guid vendorInterfaceClass2{
    0x6A1D4C71, 0x2B93, 0x4E0F, {0x9C, 0x51, 0x0D, 0x37, 0xA8, 0x62, 0x14, 0xE1}};
// USB vendor id of the interfaces.
inline constexpr std::uint16_t vendorUsbId = 0x1C4B;

// Product id of an interface whose controller waits for its firmware.
inline constexpr std::uint16_t kLoaderProductId = 1;

// Size of the interface controller's firmware image.
inline constexpr std::size_t kFirmwareImageSize = 5168;

// The firmware image given to the build (CMake option VORNIK_FIRMWARE_IMAGE). The repository
// ships a placeholder of the right size; see usbsensor/platform/firmware_placeholder.bin.
std::span<const std::uint8_t, kFirmwareImageSize> firmwareImage();

}  // namespace vornik
