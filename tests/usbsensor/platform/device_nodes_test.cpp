// Device information sets, device nodes and opening device paths on the emulated bus.
#include <gtest/gtest.h>

#include "emulation/emulated_platform.h"
#include "platform/config.h"

using namespace vornik;
using emulation::Binding;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;

namespace {

constexpr std::uint32_t kRw = platform::kGenericRead | platform::kGenericWrite;
constexpr std::uint32_t kShare = platform::kFileShareRead | platform::kFileShareWrite;

TEST(DeviceNodes, ParentChainRunsThroughHubsToTheHostControllerAndEnds) {
    EmulatedPlatform bus(2);
    InterfaceConfig config;
    config.hostController = 1;
    config.hubDepth = 2;
    auto device = bus.plugIn(config);

    const auto controllers = bus.getClassDevs(platform::kHostControllerClass);
    const auto second = bus.enumDeviceInterface(controllers, platform::kHostControllerClass, 1);
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(bus.enumDeviceInterface(controllers, platform::kHostControllerClass, 2));
    EXPECT_FALSE(bus.closeHandle(controllers));  // a set is destroyed, not closed
    EXPECT_TRUE(bus.destroyDeviceInfoList(controllers));

    platform::DevInst node = device->busState().devInst;
    std::vector<platform::DevInst> chain;
    platform::DevInst parent = 0;
    while (bus.getParent(node, parent)) {
        chain.push_back(parent);
        node = parent;
    }
    ASSERT_EQ(chain.size(), 4u);  // two hubs, the controller, the root
    EXPECT_EQ(chain[2], second->devInst);
}

TEST(DeviceNodes, ClassSetsListPresentInterfacesOfThatClassOnly) {
    EmulatedPlatform bus;
    InterfaceConfig both;
    both.binding = Binding::WinUsbBothClasses;
    InterfaceConfig kernel;
    kernel.binding = Binding::KernelDriver;
    InterfaceConfig second;
    second.binding = Binding::WinUsbClass2;
    auto a = bus.plugIn(both);
    bus.plugIn(kernel);
    bus.plugIn(second);

    const auto set1 = bus.getClassDevs(vendorInterfaceClass1);
    const auto set2 = bus.getClassDevs(vendorInterfaceClass2);
    const auto first1 = bus.enumDeviceInterface(set1, vendorInterfaceClass1, 0);
    const auto first2 = bus.enumDeviceInterface(set2, vendorInterfaceClass2, 0);
    ASSERT_TRUE(first1 && first2);
    EXPECT_FALSE(bus.enumDeviceInterface(set1, vendorInterfaceClass1, 1));
    EXPECT_TRUE(bus.enumDeviceInterface(set2, vendorInterfaceClass2, 1));
    EXPECT_EQ(first1->devInst, first2->devInst);  // one device node, two interfaces
    EXPECT_NE(first1->path, first2->path);
    bus.destroyDeviceInfoList(set1);
    bus.destroyDeviceInfoList(set2);

    // Opening: WinUSB paths wide, kernel paths 8-bit; OPEN_EXISTING only.
    const auto file = bus.createFileW(first1->path, kRw, kShare, platform::kOpenExisting,
                                      platform::kFileFlagOverlapped);
    EXPECT_NE(file, platform::kInvalidHandle);
    EXPECT_EQ(bus.createFileW(first1->path, kRw, kShare, 2 /* CREATE_ALWAYS */, 0),
              platform::kInvalidHandle);
    EXPECT_NE(bus.createFileA("\\\\.\\txusb-0", kRw, kShare, platform::kOpenExisting, 0),
              platform::kInvalidHandle);
    EXPECT_EQ(bus.createFileA("\\\\.\\txusb-1", kRw, kShare, platform::kOpenExisting, 0),
              platform::kInvalidHandle);

    // Unplugged: gone from the sets, its path no longer opens, its node has no parent.
    const auto node = a->busState().devInst;
    bus.unplug(*a);
    const auto after = bus.getClassDevs(vendorInterfaceClass1);
    EXPECT_FALSE(bus.enumDeviceInterface(after, vendorInterfaceClass1, 0));
    bus.destroyDeviceInfoList(after);
    EXPECT_EQ(bus.createFileW(first1->path, kRw, kShare, platform::kOpenExisting, 0),
              platform::kInvalidHandle);
    platform::DevInst parent = 0;
    EXPECT_FALSE(bus.getParent(node, parent));
    bus.plugBack(*a);
    EXPECT_NE(a->busState().devInst, node);
}

TEST(DeviceNodes, DetailOf256BytesOrMoreEndsTheWalk) {
    // Detail = 4 bytes + (path length + 1) wide characters.
    for (std::size_t padding = 0; padding < 200; ++padding) {
        EmulatedPlatform bus;
        InterfaceConfig config;
        config.pathPadding = padding;
        bus.plugIn(config);
        const auto set = bus.getClassDevs(vendorInterfaceClass1);
        const auto member = bus.enumDeviceInterface(set, vendorInterfaceClass1, 0);
        bus.destroyDeviceInfoList(set);
        if (!member) {
            InterfaceConfig shorter = config;
            shorter.pathPadding = padding - 1;
            EmulatedPlatform reference;
            reference.plugIn(shorter);
            const auto refSet = reference.getClassDevs(vendorInterfaceClass1);
            const auto refMember = reference.enumDeviceInterface(refSet, vendorInterfaceClass1, 0);
            ASSERT_TRUE(refMember.has_value());
            EXPECT_EQ(4 + 2 * (refMember->path.size() + 1), 254u);
            reference.destroyDeviceInfoList(refSet);
            return;
        }
    }
    FAIL() << "no path was long enough";
}

TEST(ScopedPlatform, InstallsAndRestores) {
    auto first = std::make_shared<EmulatedPlatform>();
    auto second = std::make_shared<EmulatedPlatform>();
    platform::install(first);
    EXPECT_EQ(platform::currentShared().get(), first.get());
    {
        platform::ScopedPlatform scoped(second);
        EXPECT_EQ(platform::currentShared().get(), second.get());
    }
    EXPECT_EQ(platform::currentShared().get(), first.get());
    platform::install(nullptr);
}

}  // namespace
