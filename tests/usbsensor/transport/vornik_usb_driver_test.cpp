// Kernel driver transport against emulated interfaces: control codes, the request block, the
// pipe table and the product 2 case.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "emulation/emulated_platform.h"
#include "enumeration/vornik_usb_driver_mgr.h"
#include "platform/config.h"
#include "transport/vornik_usb_driver.h"

using namespace vornik;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;

namespace {

InterfaceConfig kernelInterface(int number = 0) {
    InterfaceConfig config;
    config.binding = emulation::Binding::KernelDriver;
    config.deviceNumber = number;
    config.productId = 4;
    emulation::SensorConfig sensor;
    sensor.dataSheet = {0x34, 0x12, 0x00, 0x20, 0x60, 0x00, 0x00, 0x00};
    sensor.sample = {0xA1, 0xA2};
    config.sensors = {sensor};
    return config;
}

struct KernelFixture : ::testing::Test {
    std::shared_ptr<EmulatedPlatform> bus = std::make_shared<EmulatedPlatform>();

    platform::Handle openPath(int number) {
        return bus->createFileA(VornikUsbDriverMgr::devicePath(number),
                                platform::kGenericRead | platform::kGenericWrite,
                                platform::kFileShareRead | platform::kFileShareWrite,
                                platform::kOpenExisting, 0);
    }

    std::unique_ptr<VornikUsbDriver> openDriver(int number = 0) {
        auto driver = std::make_unique<VornikUsbDriver>(*bus);
        const auto handle = openPath(number);
        EXPECT_NE(handle, platform::kInvalidHandle);
        EXPECT_TRUE(driver->open(handle));
        return driver;
    }
};

TEST(KernelDevicePath, WidePrefixAndNumberAsUtf8) {
    EXPECT_EQ(VornikUsbDriverMgr::devicePath(0), "\\\\.\\txusb-0");
    EXPECT_EQ(VornikUsbDriverMgr::devicePath(9), "\\\\.\\txusb-9");
}

TEST_F(KernelFixture, OpenReadsTheIdsFromTheDescriptor) {
    bus->plugIn(kernelInterface());
    const auto driver = openDriver();
    EXPECT_EQ(driver->vendorId(), vendorUsbId);
    EXPECT_EQ(driver->productId(), 4);
}

struct ProductTwoCase {
    std::uint16_t vendor;
    std::uint16_t realProductId;  // 0: the interface stalls request 0xED
    int expected;
    bool asked;
};

class ProductTwo : public KernelFixture, public ::testing::WithParamInterface<ProductTwoCase> {};

TEST_P(ProductTwo, AsksForTheRealProductIdOnlyForTheVendorsProductTwo) {
    InterfaceConfig config = kernelInterface();
    config.vendorId = GetParam().vendor;
    config.productId = 2;
    config.realProductId = GetParam().realProductId;
    auto device = bus->plugIn(config);
    const auto driver = openDriver();
    EXPECT_EQ(driver->productId(), GetParam().expected);
    const auto log = device->transfers();
    ASSERT_EQ(log.size(), GetParam().asked ? 1u : 0u);
    if (GetParam().asked) {
        EXPECT_EQ(log[0].requestType, 0xC2);
        EXPECT_EQ(log[0].request, 0xED);
        EXPECT_EQ(log[0].length, 2);
        EXPECT_EQ(log[0].value, 0);
        EXPECT_EQ(log[0].index, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProductTwo,
                         ::testing::Values(ProductTwoCase{vendorUsbId, 0x0107, 0x0107, true},
                                           ProductTwoCase{vendorUsbId, 0, 2, true},
                                           ProductTwoCase{0x1234, 0x0107, 2, false}));

TEST_F(KernelFixture, ShortDescriptorFailsTheOpenAndLeavesTheHandleToTheCaller) {
    auto device = bus->plugIn(kernelInterface());
    device->setDescriptorLength(12);
    VornikUsbDriver driver(*bus);
    const auto handle = openPath(0);
    const int open = bus->openHandles();
    EXPECT_FALSE(driver.open(handle));
    EXPECT_EQ(bus->openHandles(), open);
    EXPECT_TRUE(bus->closeHandle(handle));
}

TEST_F(KernelFixture, RequestBlockCarriesDirectionRequestValueAndIndex) {
    InterfaceConfig config = kernelInterface();
    config.channelCount = 3;
    const auto sensor = config.sensors[0];
    config.sensors.resize(3, sensor);
    auto device = bus->plugIn(config);
    const auto driver = openDriver();

    std::array<std::uint8_t, 8> header{};
    std::int32_t got = 0;
    ASSERT_TRUE(driver->controlIn(0x01, 0, 2, header.data(), 8, &got));
    EXPECT_EQ(got, 8);
    EXPECT_EQ(header[0], 0x34);
    const std::array<std::uint8_t, 8> block{0x10, 0x00, 0x02, 0x00, 0, 0, 1, 0};
    ASSERT_TRUE(driver->controlOut(0x81, 0, 2, block.data(), 8));
    ASSERT_TRUE(driver->controlOut(
        0x82, 0, 0, std::array<std::uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF}.data(), 6));
    EXPECT_EQ(device->streamingChannels(), std::vector<int>{2});
    // Value travels in bytes 6-7: the attach notice needs value 1 exactly.
    ASSERT_TRUE(driver->controlIn(0x8A, 1, 0, nullptr, 0, &got));
    EXPECT_EQ(got, 0);
    EXPECT_FALSE(driver->controlIn(0x8A, 0x0100, 0, nullptr, 0));
    EXPECT_EQ(device->attachNotices(), 1);

    const auto log = device->transfers();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0].requestType, 0xC2);
    EXPECT_EQ(log[0].index, 2);
    EXPECT_EQ(log[1].requestType, 0x42);
    EXPECT_EQ(log[1].data, std::vector<std::uint8_t>(block.begin(), block.end()));
    EXPECT_EQ(log[4].value, 0x0100);
}

TEST_F(KernelFixture, FifthDistinctEndpointGetsMinusOne) {
    InterfaceConfig config = kernelInterface();
    config.endpoints = {0x02, 0x82, 0x81, 0x01, 0x86};
    bus->plugIn(config);
    const auto driver = openDriver();
    const std::int32_t p82 = driver->pipeValue(0x82);
    EXPECT_NE(p82, -1);
    EXPECT_NE(driver->pipeValue(0x02), -1);
    EXPECT_NE(driver->pipeValue(0x81), -1);
    EXPECT_NE(driver->pipeValue(0x01), -1);
    EXPECT_EQ(driver->pipeValue(0x86), -1);
    EXPECT_EQ(driver->pipeValue(0x82), p82);  // cached
    EXPECT_NE(driver->pipeValue(0x02), driver->pipeValue(0x82));
    // -1 goes to the kernel driver unchanged, which refuses it.
    EXPECT_FALSE(driver->resetPipe(0x86));
    EXPECT_TRUE(driver->resetPipe(0x82));
}

TEST_F(KernelFixture, FailedLookupLeavesTheEntryEmptyForALaterEndpoint) {
    bus->plugIn(kernelInterface());  // knows 0x02 and 0x82 only
    const auto driver = openDriver();
    EXPECT_EQ(driver->pipeValue(0x83), -1);
    EXPECT_EQ(driver->pipeValue(0x84), -1);
    EXPECT_NE(driver->pipeValue(0x82), -1);
    EXPECT_NE(driver->pipeValue(0x02), -1);
}

TEST_F(KernelFixture, PipeReadWriteResetAbort) {
    InterfaceConfig config = kernelInterface();
    config.samplesPerSecond = 0;
    config.readSplits = {3};
    auto device = bus->plugIn(config);
    const auto driver = openDriver();
    ASSERT_TRUE(driver->controlOut(0x82, 0xFFFE, 0, nullptr, 0));
    std::array<std::uint8_t, 16> buffer{};
    std::int32_t got = 0;
    ASSERT_TRUE(driver->readPipe(kStreamPipe, buffer.data(), 16, &got));
    EXPECT_EQ(got, 2);  // one sample of two bytes
    EXPECT_EQ(buffer[0], 0xA1);
    const std::array<std::uint8_t, 2> out{5, 6};
    ASSERT_TRUE(driver->writePipe(0x02, out.data(), 2, &got));
    EXPECT_EQ(got, 2);
    EXPECT_TRUE(driver->abortPipe(kStreamPipe));
    EXPECT_TRUE(driver->resetPipe(kStreamPipe));
    EXPECT_FALSE(driver->writePipe(0x82, out.data(), 2, &got));  // an IN endpoint
    const auto log = device->transfers();
    EXPECT_EQ(log[2].kind, emulation::TransferRecord::Kind::WritePipe);
    EXPECT_EQ(log[2].data, (std::vector<std::uint8_t>{5, 6}));
}

TEST_F(KernelFixture, FrameNumberAndClosedHandleOnDestruction) {
    bus->plugIn(kernelInterface());
    const int before = bus->openHandles();
    {
        const auto driver = openDriver();
        EXPECT_EQ(bus->openHandles(), before + 1);
        const auto frame = driver->currentFrameNumber();
        EXPECT_GE(static_cast<std::uint32_t>(frame), 1000000u);
    }
    EXPECT_EQ(bus->openHandles(), before);
}

TEST_F(KernelFixture, UnpluggedInterfaceFailsEveryOperation) {
    auto device = bus->plugIn(kernelInterface());
    const auto driver = openDriver();
    bus->unplug(*device);
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_FALSE(driver->controlIn(0x01, 0, 0, buffer.data(), 8));
    EXPECT_EQ(driver->currentFrameNumber(), -1);
    EXPECT_FALSE(driver->resetPipe(kStreamPipe));
    bus->plugBack(*device);
    // The old handle belongs to the old device node.
    EXPECT_FALSE(driver->controlIn(0x01, 0, 0, buffer.data(), 8));
}

}  // namespace
