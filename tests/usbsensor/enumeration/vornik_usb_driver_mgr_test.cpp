// Kernel driver manager: device numbers 0 to 9, arrival, removal, failed open.
#include <gtest/gtest.h>

#include "emulation/emulated_platform.h"
#include "enumeration/vornik_usb_driver_mgr.h"
#include "recording_handler.h"

using namespace vornik;
using emulation::Binding;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;

namespace {

InterfaceConfig kernelInterface(int number, std::uint16_t pid = 3) {
    InterfaceConfig config;
    config.binding = Binding::KernelDriver;
    config.deviceNumber = number;
    config.productId = pid;
    return config;
}

struct KernelMgrTest : ::testing::Test {
    std::shared_ptr<EmulatedPlatform> bus = std::make_shared<EmulatedPlatform>();
    RecordingHandler handler;
};

TEST_F(KernelMgrTest, DevicesZeroAndTwoFillSlotsZeroAndTwo) {
    bus->plugIn(kernelInterface(0, 3));
    bus->plugIn(kernelInterface(2, 4));
    VornikUsbDriverMgr mgr(*bus);
    EXPECT_TRUE(mgr.scanForChanges(handler));
    ASSERT_EQ(handler.arrived.size(), 2u);
    ASSERT_NE(mgr.driver(0), nullptr);
    EXPECT_EQ(mgr.driver(1), nullptr);
    ASSERT_NE(mgr.driver(2), nullptr);
    EXPECT_EQ(mgr.driver(0)->productId(), 3);
    EXPECT_EQ(mgr.driver(2)->productId(), 4);
    // A second scan closes the probe handles and reports nothing.
    const int open = bus->openHandles();
    mgr.scanForChanges(handler);
    EXPECT_EQ(handler.arrived.size(), 2u);
    EXPECT_EQ(bus->openHandles(), open);
}

TEST_F(KernelMgrTest, DeviceThatVanishesAndReturnsIsRemovedThenArrivesAnew) {
    auto device = bus->plugIn(kernelInterface(5));
    VornikUsbDriverMgr mgr(*bus);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 1u);
    bus->unplug(*device);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.removed.size(), 1u);
    EXPECT_EQ(handler.removed[0].driver, handler.arrived[0].driver);
    EXPECT_EQ(mgr.driver(5), nullptr);
    EXPECT_EQ(bus->openHandles(), 0);
    bus->plugBack(*device);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 2u);
    EXPECT_NE(mgr.driver(5), nullptr);
}

TEST_F(KernelMgrTest, FailedOpenClosesTheHandleAndRetriesNextScan) {
    auto device = bus->plugIn(kernelInterface(1));
    device->setDescriptorLength(17);
    VornikUsbDriverMgr mgr(*bus);
    mgr.scanForChanges(handler);
    EXPECT_TRUE(handler.arrived.empty());
    EXPECT_EQ(mgr.driver(1), nullptr);
    EXPECT_EQ(bus->openHandles(), 0);
    device->setDescriptorLength(18);
    mgr.scanForChanges(handler);
    EXPECT_EQ(handler.arrived.size(), 1u);
}

TEST_F(KernelMgrTest, ReleaseAllAndDestructionCloseEveryHandle) {
    bus->plugIn(kernelInterface(0));
    bus->plugIn(kernelInterface(9));
    {
        VornikUsbDriverMgr mgr(*bus);
        mgr.scanForChanges(handler);
        ASSERT_EQ(handler.arrived.size(), 2u);
        EXPECT_EQ(bus->openHandles(), 2);
        mgr.releaseAll(handler);
        EXPECT_EQ(handler.removed.size(), 2u);
        EXPECT_EQ(bus->openHandles(), 0);
        mgr.scanForChanges(handler);
        EXPECT_EQ(bus->openHandles(), 2);
    }
    // Destruction deletes the drivers without callbacks.
    EXPECT_EQ(handler.removed.size(), 2u);
    EXPECT_EQ(bus->openHandles(), 0);
}

TEST_F(KernelMgrTest, WinUsbInterfacesAreNotSeen) {
    InterfaceConfig config = kernelInterface(0);
    config.binding = Binding::WinUsbClass1;
    bus->plugIn(config);
    VornikUsbDriverMgr mgr(*bus);
    mgr.scanForChanges(handler);
    EXPECT_TRUE(handler.arrived.empty());
}

}  // namespace

namespace {

TEST(DefaultBackend, ManagersUseTheInstalledBackendAndKeepItAlive) {
    std::weak_ptr<EmulatedPlatform> weak;
    RecordingHandler handler;
    std::unique_ptr<VornikUsbDriverMgr> kernel;
    {
        auto bus = std::make_shared<EmulatedPlatform>();
        weak = bus;
        auto device = bus->plugIn(kernelInterface(3));
        platform::ScopedPlatform scoped(bus);
        kernel = std::make_unique<VornikUsbDriverMgr>();
        kernel->scanForChanges(handler);
        ASSERT_EQ(handler.arrived.size(), 1u);
    }
    ASSERT_FALSE(weak.expired());  // uninstalled, but still in use by the manager
    kernel->scanForChanges(handler);
    EXPECT_TRUE(handler.removed.empty());
    kernel.reset();
    EXPECT_TRUE(weak.expired());
}

}  // namespace
