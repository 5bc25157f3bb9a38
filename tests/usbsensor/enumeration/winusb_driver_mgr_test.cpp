// WinUSB driver manager: class scans, removal sweep, host controllers, loader mode.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "emulation/emulated_platform.h"
#include "enumeration/winusb_driver_mgr.h"
#include "platform/config.h"
#include "recording_handler.h"

using namespace vornik;
using emulation::Binding;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;

namespace {

InterfaceConfig winUsbInterface(Binding binding = Binding::WinUsbClass1, std::uint16_t pid = 3) {
    InterfaceConfig config;
    config.binding = binding;
    config.productId = pid;
    config.name = "box" + std::to_string(pid);
    return config;
}

struct WinUsbMgrTest : ::testing::Test {
    std::shared_ptr<EmulatedPlatform> bus = std::make_shared<EmulatedPlatform>(2);
    RecordingHandler handler;
};

TEST_F(WinUsbMgrTest, InterfaceUnderBothClassesIsAttachedOnce) {
    bus->plugIn(winUsbInterface(Binding::WinUsbBothClasses));
    WinUsbDriverMgr mgr(*bus);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 1u);
    mgr.scanForChanges(handler);
    EXPECT_EQ(handler.arrived.size(), 1u);
    EXPECT_TRUE(handler.removed.empty());
}

TEST_F(WinUsbMgrTest, EachClassIsScannedAndTheResultIsTheSecondScans) {
    bus->plugIn(winUsbInterface(Binding::WinUsbClass1, 3));
    WinUsbDriverMgr mgr(*bus);
    EXPECT_FALSE(mgr.scanForChanges(handler));  // attached by the first class scan
    ASSERT_EQ(handler.arrived.size(), 1u);
    bus->plugIn(winUsbInterface(Binding::WinUsbClass2, 4));
    EXPECT_TRUE(mgr.scanForChanges(handler));
    ASSERT_EQ(handler.arrived.size(), 2u);
    EXPECT_EQ(handler.arrived[1].productId, 4);
}

TEST_F(WinUsbMgrTest, VanishedInterfaceIsRemovedAndComesBackAsANewArrival) {
    auto device = bus->plugIn(winUsbInterface());
    WinUsbDriverMgr mgr(*bus);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 1u);
    const int withOne = bus->openHandles();

    bus->unplug(*device);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.removed.size(), 1u);
    EXPECT_EQ(handler.removed[0].driver, handler.arrived[0].driver);
    EXPECT_EQ(handler.removed[0].productId, 3);  // still readable inside the callback
    EXPECT_EQ(mgr.slot(0).inUse, 0);
    EXPECT_EQ(mgr.slot(0).file, platform::kInvalidHandle);
    EXPECT_EQ(mgr.slot(0).winUsb, nullptr);
    EXPECT_EQ(bus->openHandles(), withOne - 2);  // the file and the WinUSB handle

    bus->plugBack(*device);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 2u);
    EXPECT_EQ(handler.removed.size(), 1u);
    EXPECT_EQ(mgr.slot(0).inUse, 1);
}

TEST_F(WinUsbMgrTest, LoaderModeGivesNoArrivalInTheLoadingScanAndOneLater) {
    InterfaceConfig config = winUsbInterface(Binding::WinUsbBothClasses, kLoaderProductId);
    config.productIdAfterFirmware = 9;
    config.reconnectDelayMs = 30;
    auto device = bus->plugIn(config);
    WinUsbDriverMgr mgr(*bus);
    const int baseline = bus->openHandles();

    mgr.scanForChanges(handler);
    EXPECT_TRUE(handler.arrived.empty());
    EXPECT_EQ(device->firmwareDownloads(), 1);
    EXPECT_EQ(mgr.slot(0).inUse, 0);
    EXPECT_EQ(mgr.slot(0).driver, nullptr);
    EXPECT_EQ(mgr.slot(0).productId, 0);
    EXPECT_EQ(bus->openHandles(), baseline);

    mgr.scanForChanges(handler);  // still re-enumerating
    EXPECT_TRUE(handler.arrived.empty());
    bus->advanceClock(std::chrono::milliseconds(60));
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 1u);
    EXPECT_EQ(handler.arrived[0].productId, 9);
    EXPECT_EQ(device->firmwareDownloads(), 1);
}

TEST_F(WinUsbMgrTest, HostControllerOfTheSlotIsTheAncestorInTheList) {
    InterfaceConfig onSecond = winUsbInterface(Binding::WinUsbClass1, 3);
    onSecond.hostController = 1;
    onSecond.hubDepth = 3;
    InterfaceConfig orphan = winUsbInterface(Binding::WinUsbClass1, 4);
    orphan.hostController = -1;  // hangs off no listed controller
    bus->plugIn(onSecond);
    bus->plugIn(orphan);
    WinUsbDriverMgr mgr(*bus);
    ASSERT_EQ(mgr.hostControllers().count, 2);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 2u);
    EXPECT_EQ(mgr.slot(0).hostController, mgr.hostControllers().entries[1].handle);
    EXPECT_EQ(mgr.slot(1).hostController, platform::kInvalidHandle);
    EXPECT_EQ(handler.arrived[1].driver->currentFrameNumber(), -1);
    EXPECT_GE(static_cast<std::uint32_t>(handler.arrived[0].driver->currentFrameNumber()),
              2000000u);
}

TEST_F(WinUsbMgrTest, TenSlotsAtMost) {
    for (int i = 0; i < 11; ++i) bus->plugIn(winUsbInterface(Binding::WinUsbClass1, 10 + i));
    WinUsbDriverMgr mgr(*bus);
    mgr.scanForChanges(handler);
    EXPECT_EQ(handler.arrived.size(), 10u);
}

TEST_F(WinUsbMgrTest, LongDevicePathEndsTheWalkOfThatClass) {
    InterfaceConfig longPath = winUsbInterface(Binding::WinUsbClass1, 3);
    longPath.pathPadding = 200;
    bus->plugIn(longPath);
    bus->plugIn(winUsbInterface(Binding::WinUsbClass1, 4));
    bus->plugIn(winUsbInterface(Binding::WinUsbClass2, 5));
    WinUsbDriverMgr mgr(*bus);
    mgr.scanForChanges(handler);
    ASSERT_EQ(handler.arrived.size(), 1u);
    EXPECT_EQ(handler.arrived[0].productId, 5);
}

TEST_F(WinUsbMgrTest, ShortDescriptorIsAFailedAttachThatLeavesNothingOpen) {
    auto device = bus->plugIn(winUsbInterface());
    device->setDescriptorLength(10);
    WinUsbDriverMgr mgr(*bus);
    const int baseline = bus->openHandles();
    mgr.scanForChanges(handler);
    EXPECT_TRUE(handler.arrived.empty());
    EXPECT_EQ(bus->openHandles(), baseline);
    EXPECT_EQ(mgr.slot(0).file, platform::kInvalidHandle);
    device->setDescriptorLength(18);
    mgr.scanForChanges(handler);
    EXPECT_EQ(handler.arrived.size(), 1u);
}

TEST_F(WinUsbMgrTest, ReleaseAllReportsEveryInterfaceAndFreesTheSlots) {
    bus->plugIn(winUsbInterface(Binding::WinUsbClass1, 3));
    bus->plugIn(winUsbInterface(Binding::WinUsbClass2, 4));
    const int beforeMgr = bus->openHandles();
    {
        WinUsbDriverMgr mgr(*bus);
        const int baseline = bus->openHandles();
        mgr.scanForChanges(handler);
        ASSERT_EQ(handler.arrived.size(), 2u);
        EXPECT_TRUE(mgr.releaseAll(handler));
        EXPECT_EQ(handler.removed.size(), 2u);
        EXPECT_EQ(bus->openHandles(), baseline);
        for (int i = 0; i < WinUsbDriverMgr::kSlots; ++i) {
            EXPECT_EQ(mgr.slot(i).driver, nullptr);
            EXPECT_EQ(mgr.slot(i).inUse, 0);
        }
        // Nothing is lost: the next scan attaches them again.
        mgr.scanForChanges(handler);
        EXPECT_EQ(handler.arrived.size(), 4u);
    }
    EXPECT_EQ(bus->openHandles(), beforeMgr);  // the host controller handles too
}

TEST_F(WinUsbMgrTest, WithoutWinUsbNothingIsFound) {
    bus->plugIn(winUsbInterface());
    bus->setWinUsbInstalled(false);
    WinUsbDriverMgr mgr(*bus);
    EXPECT_FALSE(mgr.winUsbBound());
    mgr.scanForChanges(handler);
    EXPECT_TRUE(handler.arrived.empty());
}

}  // namespace
