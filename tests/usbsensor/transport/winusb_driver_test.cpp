// WinUSB transport against emulated interfaces: setup packets, pipes, frame number, binding,
// firmware download.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "emulation/emulated_platform.h"
#include "enumeration/winusb_driver_mgr.h"
#include "platform/config.h"
#include "transport/winusb_binding.h"
#include "transport/winusb_driver.h"

using namespace vornik;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;
using emulation::TransferRecord;

namespace {

class Collect : public UsbDriverEventHandler {
  public:
    bool interfaceArrived(UsbDriver* driver) override {
        arrived.push_back(driver);
        return true;
    }
    bool interfaceRemoved(UsbDriver* driver) override {
        removed.push_back(driver);
        return true;
    }
    std::vector<UsbDriver*> arrived;
    std::vector<UsbDriver*> removed;
};

InterfaceConfig twoChannels() {
    InterfaceConfig config;
    config.productId = 5;
    config.channelCount = 2;
    emulation::SensorConfig sensor;
    sensor.dataSheet = {0x10, 0x27, 0x00, 0x20, 0x40, 0x00, 0x00, 0x00, 0xAA, 0xBB};
    sensor.sample = {1, 2, 3, 4};
    sensor.probeValidity = {7, 8};
    config.sensors = {sensor, sensor};
    config.sensors[1].present = false;
    return config;
}

struct WinUsbFixture : ::testing::Test {
    std::shared_ptr<EmulatedPlatform> bus = std::make_shared<EmulatedPlatform>(2);
    Collect handler;

    UsbDriver& attach(std::unique_ptr<WinUsbDriverMgr>& mgr) {
        mgr = std::make_unique<WinUsbDriverMgr>(*bus);
        mgr->scanForChanges(handler);
        EXPECT_EQ(handler.arrived.size(), 1u);
        return *handler.arrived.at(0);
    }
};

TEST_F(WinUsbFixture, VendorRequestsGoOutAsVendorEndpointSetupPackets) {
    auto device = bus->plugIn(twoChannels());
    std::unique_ptr<WinUsbDriverMgr> mgr;
    UsbDriver& driver = attach(mgr);
    EXPECT_EQ(driver.vendorId(), vendorUsbId);
    EXPECT_EQ(driver.productId(), 5);
    device->clearTransfers();

    std::array<std::uint8_t, 16> status{};
    std::int32_t got = -1;
    ASSERT_TRUE(driver.controlIn(0xF1, 0, 1, status.data(), 16, &got));
    EXPECT_EQ(got, 16);
    EXPECT_EQ(status[10], 0);  // channel 1 has no sensor present

    const std::array<std::uint8_t, 8> block{0x64, 0, 4, 0, 0, 0, 1, 0};
    ASSERT_TRUE(driver.controlOut(0x81, 0, 1, block.data(), 8));

    const auto log = device->transfers();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].requestType, 0xC2);
    EXPECT_EQ(log[0].request, 0xF1);
    EXPECT_EQ(log[0].index, 1);
    EXPECT_EQ(log[0].length, 16);
    EXPECT_EQ(log[1].requestType, 0x42);
    EXPECT_EQ(log[1].request, 0x81);
    EXPECT_EQ(log[1].data, std::vector<std::uint8_t>(block.begin(), block.end()));
    const auto config = device->streamConfiguration(1);
    ASSERT_TRUE(config.has_value());
    EXPECT_EQ(config->rate, 0x64);
    EXPECT_EQ(config->sampleSize, 4);
}

TEST_F(WinUsbFixture, ZeroLengthRequestHasNoBufferAndNoDataStage) {
    auto device = bus->plugIn(twoChannels());
    std::unique_ptr<WinUsbDriverMgr> mgr;
    UsbDriver& driver = attach(mgr);
    std::uint8_t unused = 0xEE;
    std::int32_t got = -1;
    // The attach notice: a pointer is passed but there is no data stage.
    ASSERT_TRUE(driver.controlIn(0x8A, 1, 0, &unused, 0, &got));
    EXPECT_EQ(got, 0);
    EXPECT_EQ(unused, 0xEE);
    EXPECT_EQ(device->attachNotices(), 1);
    const auto log = device->transfers();
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(log.back().nullBuffer);
    EXPECT_EQ(log.back().length, 0);
}

TEST_F(WinUsbFixture, FailedTransferLeavesTheCountUntouchedAndReportsFalse) {
    auto device = bus->plugIn(twoChannels());
    std::unique_ptr<WinUsbDriverMgr> mgr;
    UsbDriver& driver = attach(mgr);
    device->failNextTransfers(2);
    std::array<std::uint8_t, 8> buffer{};
    std::int32_t got = 99;
    EXPECT_FALSE(driver.controlIn(0x01, 0, 0, buffer.data(), 8, &got));
    EXPECT_EQ(got, 99);
    EXPECT_FALSE(driver.readPipe(kStreamPipe, buffer.data(), 8, &got));
    EXPECT_TRUE(driver.controlIn(0x01, 0, 0, buffer.data(), 8, &got));
    EXPECT_EQ(got, 8);
    EXPECT_EQ(buffer[0], 0x10);
    // A request the interface does not know stalls.
    EXPECT_FALSE(driver.controlIn(0x55, 0, 0, buffer.data(), 8, &got));
}

TEST_F(WinUsbFixture, PipesReachTheInterface) {
    InterfaceConfig config = twoChannels();
    config.channelCount = 1;
    config.samplesPerSecond = 0;
    auto device = bus->plugIn(config);
    std::unique_ptr<WinUsbDriverMgr> mgr;
    UsbDriver& driver = attach(mgr);
    ASSERT_TRUE(driver.controlOut(0x82, 0xFFFE, 0, nullptr, 0));
    std::array<std::uint8_t, 6> buffer{};
    std::int32_t got = 0;
    ASSERT_TRUE(driver.readPipe(kStreamPipe, buffer.data(), 6, &got));
    EXPECT_EQ(got, 4);  // one raw sample per production step
    EXPECT_EQ((std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 4)),
              (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_TRUE(driver.resetPipe(kStreamPipe));
    EXPECT_TRUE(driver.abortPipe(kStreamPipe));
    const std::array<std::uint8_t, 3> out{9, 8, 7};
    EXPECT_TRUE(driver.writePipe(0x02, out.data(), 3, &got));
    EXPECT_EQ(got, 3);
    EXPECT_FALSE(driver.resetPipe(0x84));  // no such endpoint
    const auto log = device->transfers();
    EXPECT_EQ(log.back().kind, TransferRecord::Kind::ResetPipe);
    EXPECT_EQ(log.back().pipe, 0x84);
}

TEST_F(WinUsbFixture, FrameNumberComesFromTheInterfacesHostController) {
    InterfaceConfig config = twoChannels();
    config.hostController = 1;
    config.hubDepth = 2;
    bus->plugIn(config);
    std::unique_ptr<WinUsbDriverMgr> mgr;
    UsbDriver& driver = attach(mgr);
    const auto before = bus->frameNumber(1);
    const auto frame = static_cast<std::uint32_t>(driver.currentFrameNumber());
    EXPECT_GE(frame, before);
    EXPECT_LE(frame, bus->frameNumber(1));
    EXPECT_GT(frame, bus->frameNumber(0));  // not the first controller's count
}

TEST(WinUsbDriverNullSlot, EveryOperationFails) {
    EmulatedPlatform bus;
    WinUsbBinding binding = bindWinUsb(bus);
    WinUsbDriver driver(nullptr, binding, bus);
    std::uint8_t byte = 0;
    EXPECT_EQ(driver.vendorId(), 0);
    EXPECT_EQ(driver.productId(), 0);
    EXPECT_FALSE(driver.statusFlag());
    EXPECT_EQ(driver.currentFrameNumber(), 0);
    EXPECT_FALSE(driver.controlIn(0x84, 0, 0, &byte, 1));
    EXPECT_FALSE(driver.controlOut(0x83, 0, 0, nullptr, 0));
    EXPECT_FALSE(driver.readPipe(kStreamPipe, &byte, 1));
    EXPECT_FALSE(driver.writePipe(0x02, &byte, 1));
    EXPECT_FALSE(driver.resetPipe(kStreamPipe));
    EXPECT_FALSE(driver.abortPipe(kStreamPipe));
}

TEST(UsbDriverBase, DefaultsAreFailures) {
    UsbDriver base;
    std::uint8_t byte = 0;
    EXPECT_EQ(base.vendorId(), 0);
    EXPECT_EQ(base.currentFrameNumber(), -1);
    EXPECT_FALSE(base.controlIn(1, 0, 0, &byte, 1));
    EXPECT_FALSE(base.readPipe(kStreamPipe, &byte, 1));
}

class MissingEntryPoint : public ::testing::TestWithParam<const char*> {};

TEST_P(MissingEntryPoint, DisablesWinUsbAndReleasesTheModule) {
    auto bus = std::make_shared<EmulatedPlatform>();
    bus->plugIn(twoChannels());
    bus->removeWinUsbFunction(GetParam());
    WinUsbDriverMgr mgr(*bus);
    EXPECT_FALSE(mgr.winUsbBound());
    EXPECT_EQ(bus->loadedModules(), 0);
    Collect handler;
    EXPECT_FALSE(mgr.scanForChanges(handler));
    EXPECT_TRUE(handler.arrived.empty());
}

INSTANTIATE_TEST_SUITE_P(EachOfTheNine, MissingEntryPoint,
                         ::testing::ValuesIn(platform::kWinUsbFunctionNames));

TEST(WinUsbBinding, CompleteModuleStaysLoaded) {
    EmulatedPlatform bus;
    const WinUsbBinding binding = bindWinUsb(bus);
    EXPECT_TRUE(binding.bound());
    EXPECT_NE(binding.abortPipe, nullptr);
    EXPECT_EQ(bus.loadedModules(), 1);
    bus.setWinUsbInstalled(false);
    EXPECT_FALSE(bindWinUsb(bus).bound());
}

TEST(FirmwareDownload, SixChunksAtTheirLoadAddressesThenTheInterfaceReturns) {
    auto bus = std::make_shared<EmulatedPlatform>();
    InterfaceConfig config = twoChannels();
    config.productId = kLoaderProductId;
    config.productIdAfterFirmware = 6;
    config.reconnectDelayMs = 0;
    auto device = bus->plugIn(config);
    WinUsbDriverMgr mgr(*bus);
    Collect handler;
    mgr.scanForChanges(handler);

    const auto log = device->transfers();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log.front().value, 0x7F92);
    EXPECT_EQ(log.front().data, std::vector<std::uint8_t>{1});
    EXPECT_EQ(log.back().value, 0x7F92);
    EXPECT_EQ(log.back().data, std::vector<std::uint8_t>{0});
    const auto chunks = device->firmwareChunks();
    const std::vector<std::pair<int, std::size_t>> expected{
        {0, 1000}, {1000, 1000}, {2000, 1000}, {3000, 1000}, {4000, 1000}, {5000, 168}};
    ASSERT_EQ(chunks.size(), expected.size());
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].offset, expected[i].first) << i;
        EXPECT_EQ(chunks[i].size, expected[i].second) << i;
        EXPECT_EQ(log[i + 1].requestType, 0x42);
        EXPECT_EQ(log[i + 1].request, 0xA0);
        EXPECT_EQ(log[i + 1].index, 0);
    }
    EXPECT_EQ(device->firmwareDownloads(), 1);
    EXPECT_EQ(device->productId(), 6);
}

}  // namespace
