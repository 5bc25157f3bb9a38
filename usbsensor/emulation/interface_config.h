// Description of one emulated sensor interface: how it is bound, its identity, its channels and
// sensors, and how its sample stream behaves. Tests fill it in code; the description file read
// through VORNIK_EMULATION fills the same fields (docs/usb-emulation.md).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/config.h"

namespace vornik::emulation {

enum class Binding {
    WinUsbClass1,       // WinUSB, registered under vendorInterfaceClass1
    WinUsbClass2,       // WinUSB, registered under vendorInterfaceClass2
    WinUsbBothClasses,  // WinUSB, registered under both classes (one device node)
    KernelDriver,       // the vendor's kernel driver, device path "\\.\txusb-<deviceNumber>"
};

// The sensor plugged into one channel (sensor port).
struct SensorConfig {
    // Data sheet bytes, served from offset 0 by request 0x01 (a read beyond the end returns the
    // bytes there are). Empty: request 0x01 stalls (fails).
    std::vector<std::uint8_t> dataSheet;
    // Byte 10 of the channel status reply (0xF1).
    bool present = true;
    // Byte 0 of the channel status reply: the channel's status code.
    std::int8_t statusCode = 0;
    // Reply to the single-sample request 0x21 (truncated to the requested length). Empty: stalls.
    std::vector<std::uint8_t> sample;
    // Samples the stream cycles through, in order; empty: `sample` over and over.
    std::vector<std::vector<std::uint8_t>> streamSamples;
    // Reply to the probe validity request 0xC6 (truncated to the requested length).
    std::vector<std::uint8_t> probeValidity;
};

struct InterfaceConfig {
    std::string name = "interface";  // label in logs and in the device path
    Binding binding = Binding::WinUsbClass1;
    int deviceNumber = 0;  // kernel driver device number, 0 to 9

    std::uint16_t vendorId = vendorUsbId;
    // Product id of the device descriptor; kLoaderProductId (1) is the loader mode.
    std::uint16_t productId = 3;
    // Product id the interface comes back with after a complete firmware download.
    std::uint16_t productIdAfterFirmware = 3;
    // Time between releasing the CPU after the download and the interface reappearing.
    std::uint32_t reconnectDelayMs = 20;
    // Reply of request 0xED (real product id); 0: the request stalls.
    std::uint16_t realProductId = 0;

    // Interface information reply (0x84).
    std::uint16_t channelCount = 1;
    std::uint16_t capabilityWord = 1;
    std::array<std::uint8_t, 6> capabilities{1, 0, 0, 0, 0, 0};
    // Version reply (0xF2) bytes 0 and 1; served by interfaces of product id 8 only.
    std::array<std::uint8_t, 2> version{2, 0};
    // Index = channel; channels without an entry have no sensor (all requests on them stall).
    std::vector<SensorConfig> sensors;

    // Stream production: samples per second and per streamed channel (0: as many as a read
    // asks for), samples per frame on a multi-channel interface.
    double samplesPerSecond = 1000.0;
    int samplesPerFrame = 1;
    // Upper bounds of successive bulk reads, cycled (empty: no bound); splits the stream at
    // arbitrary points.
    std::vector<std::size_t> readSplits;
    // A bulk read that finds no data waits this long for some, then fails (a pipe time-out).
    std::uint32_t readTimeoutMs = 50;

    // Endpoints the kernel driver knows pipes for.
    std::vector<std::uint8_t> endpoints{0x02, 0x82};

    // Topology: the host controller (index among the emulated ones) the interface hangs off,
    // and the number of hubs in between.
    int hostController = 0;
    int hubDepth = 1;
    // Extra characters appended to the WinUSB device path (a long path ends the class walk).
    std::size_t pathPadding = 0;
};

}  // namespace vornik::emulation
