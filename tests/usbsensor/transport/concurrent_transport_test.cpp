// One transport used from two threads at once, as the caller and the reader thread do.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "emulation/emulated_platform.h"
#include "enumeration/vornik_usb_driver_mgr.h"
#include "enumeration/winusb_driver_mgr.h"

using namespace vornik;
using emulation::Binding;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;

namespace {

class KeepFirst : public UsbDriverEventHandler {
  public:
    bool interfaceArrived(UsbDriver* d) override {
        if (!driver) driver = d;
        return true;
    }
    bool interfaceRemoved(UsbDriver*) override { return true; }
    UsbDriver* driver = nullptr;
};

class TwoThreads : public ::testing::TestWithParam<Binding> {};

TEST_P(TwoThreads, StreamReadsAndControlRequestsInterleave) {
    auto bus = std::make_shared<EmulatedPlatform>();
    InterfaceConfig config;
    config.binding = GetParam();
    config.channelCount = 2;
    config.samplesPerSecond = 0;
    config.readSplits = {5, 1, 9};
    emulation::SensorConfig sensor;
    sensor.sample = {0x11, 0x22, 0x33};
    sensor.dataSheet = {1, 2, 3, 4, 5, 6, 7, 8};
    config.sensors = {sensor, sensor};
    auto device = bus->plugIn(config);

    std::unique_ptr<UsbDriverMgr> mgr;
    if (GetParam() == Binding::KernelDriver) {
        mgr = std::make_unique<VornikUsbDriverMgr>(*bus);
    } else {
        mgr = std::make_unique<WinUsbDriverMgr>(*bus);
    }
    KeepFirst handler;
    mgr->scanForChanges(handler);
    ASSERT_NE(handler.driver, nullptr);
    UsbDriver& driver = *handler.driver;
    const std::uint8_t words[4] = {0xFE, 0xFF, 0xFF, 0xFF};
    ASSERT_TRUE(driver.controlOut(0x82, 0, 0, words, 4));

    std::atomic<bool> stop{false};
    std::atomic<int> readFailures{0};
    std::atomic<std::size_t> receivedBytes{0};
    std::vector<std::uint8_t> received;
    std::thread reader([&] {
        std::uint8_t buffer[64];
        while (!stop.load()) {
            std::int32_t got = 0;
            if (driver.readPipe(kStreamPipe, buffer, sizeof buffer, &got)) {
                received.insert(received.end(), buffer, buffer + got);
                receivedBytes.fetch_add(static_cast<std::size_t>(got));
            } else {
                readFailures.fetch_add(1);
            }
        }
    });
    int controlFailures = 0;
    // Keep the caller busy until the reader has seen a good part of the stream.
    for (int i = 0; i < 300 || (receivedBytes.load() < 700 && i < 200000); ++i) {
        std::uint8_t status[16] = {};
        std::uint8_t sample[3] = {};
        std::int32_t got = 0;
        if (!driver.controlIn(0xF1, 0, static_cast<std::uint16_t>(i % 2), status, 16, &got) ||
            got != 16 || status[10] != 1) {
            ++controlFailures;
        }
        if (!driver.controlIn(0x21, 0, 0, sample, 3, &got) || sample[2] != 0x33) ++controlFailures;
        if (i % 50 == 0 && !driver.resetPipe(kStreamPipe)) ++controlFailures;
    }
    stop = true;
    reader.join();
    EXPECT_EQ(controlFailures, 0);
    EXPECT_EQ(readFailures.load(), 0);
    // The stream is whole frames of channel 0 whatever the read splits were.
    ASSERT_GE(received.size(), 7u);
    std::size_t at = 0;
    while (at + 7 <= received.size()) {
        ASSERT_EQ(received[at], 0xC3) << at;
        ASSERT_EQ(received[at + 1], 0);
        ASSERT_EQ(received[at + 2], 3);
        ASSERT_EQ(received[at + 3], 0);
        ASSERT_EQ(received[at + 4], 0x11);
        at += 7;
    }
}

INSTANTIATE_TEST_SUITE_P(Bindings, TwoThreads,
                         ::testing::Values(Binding::WinUsbClass1, Binding::KernelDriver));

}  // namespace
