// Emulation description files: what they describe, and readable errors for bad ones.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "emulation/emulated_platform.h"
#include "enumeration/vornik_usb_driver_mgr.h"
#include "enumeration/winusb_driver_mgr.h"

using namespace vornik;
using emulation::Binding;
using emulation::EmulatedPlatform;

namespace {

std::filesystem::path data(const char* name) {
    const char* dir = std::getenv("QTL_TEST_DATA");
    return std::filesystem::path(dir ? dir : "data") / name;
}

class Count : public UsbDriverEventHandler {
  public:
    bool interfaceArrived(UsbDriver* d) override {
        productIds.push_back(d->productId());
        return true;
    }
    bool interfaceRemoved(UsbDriver*) override { return true; }
    std::vector<int> productIds;
};

TEST(DescriptionFile, DescribesTheBus) {
    const auto bus = EmulatedPlatform::fromDescriptionFile(data("two_boxes.json"));
    EXPECT_EQ(bus->hostControllerCount(), 2);
    const auto devices = bus->interfaces();
    ASSERT_EQ(devices.size(), 2u);
    const auto a = devices[0]->config();
    EXPECT_EQ(a.binding, Binding::WinUsbBothClasses);
    EXPECT_EQ(a.productId, 5);
    EXPECT_EQ(a.channelCount, 2);
    EXPECT_EQ(a.hostController, 1);
    EXPECT_EQ(a.samplesPerSecond, 500.0);
    EXPECT_EQ(a.readSplits, (std::vector<std::size_t>{3, 5}));
    ASSERT_EQ(a.sensors.size(), 2u);
    EXPECT_EQ(a.sensors[0].dataSheet.size(), 13u);
    EXPECT_EQ(a.sensors[0].dataSheet[0], 0x34);
    EXPECT_EQ(a.sensors[0].sample, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(a.sensors[0].statusCode, -3);
    EXPECT_FALSE(a.sensors[1].present);
    const auto b = devices[1]->config();
    EXPECT_EQ(b.binding, Binding::KernelDriver);
    EXPECT_EQ(b.deviceNumber, 4);
    EXPECT_EQ(b.endpoints, (std::vector<std::uint8_t>{2, 130, 134}));
    EXPECT_EQ(b.sensors[0].dataSheet, (std::vector<std::uint8_t>{0xAA, 0xBB, 0xCC}));
    EXPECT_FALSE(b.sensors[0].present);

    // Both managers find what the file describes.
    Count handler;
    WinUsbDriverMgr winUsb(*bus);
    VornikUsbDriverMgr kernel(*bus);
    winUsb.scanForChanges(handler);
    kernel.scanForChanges(handler);
    EXPECT_EQ(handler.productIds, (std::vector<int>{5, 263}));
}

TEST(DescriptionFile, EnvironmentVariableChoosesTheDefaultBackend) {
    const auto file = data("two_boxes.json");
    ASSERT_EQ(setenv("VORNIK_EMULATION", file.c_str(), 1), 0);
    platform::install(nullptr);
    auto bus = std::dynamic_pointer_cast<EmulatedPlatform>(platform::currentShared());
    ASSERT_NE(bus, nullptr);
    EXPECT_EQ(bus->interfaces().size(), 2u);
    unsetenv("VORNIK_EMULATION");
    platform::install(nullptr);
    bus = std::dynamic_pointer_cast<EmulatedPlatform>(platform::currentShared());
    ASSERT_NE(bus, nullptr);
    EXPECT_TRUE(bus->interfaces().empty());
    platform::install(nullptr);
}

// Each event happens once the bus's clock reaches its time, not a second before.
TEST(DescriptionFile, SchedulesEvents) {
    const auto bus = EmulatedPlatform::fromDescriptionFile(data("scheduled_events.json"));
    const auto devices = bus->interfaces();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(bus->pendingEvents(), 5u);  // the unplug brings its plug-back
    emulation::EmulatedInterface& a = *devices[0];
    emulation::EmulatedInterface& b = *devices[1];
    const auto clockTo = [&](std::int64_t ms) {
        bus->advanceClock(std::chrono::milliseconds(ms - bus->elapsedMs()));
    };
    const std::uint8_t byte = 0;
    const auto write = [&] { return a.writePipe(0x02, &byte, 1).ok; };
    const auto read = [&] {
        std::vector<std::uint8_t> buffer(16);
        const auto reply = a.readPipe(0x82, buffer.data(), 16);
        buffer.resize(reply.ok ? reply.transferred : 0);
        return buffer;
    };

    clockTo(99000);
    EXPECT_TRUE(b.pluggedIn());
    clockTo(100001);
    EXPECT_FALSE(b.pluggedIn());
    clockTo(101000);
    EXPECT_FALSE(b.pluggedIn());
    clockTo(102001);
    EXPECT_TRUE(b.pluggedIn());

    clockTo(103000);
    EXPECT_TRUE(write());
    clockTo(104001);
    EXPECT_FALSE(write());
    EXPECT_FALSE(write());
    EXPECT_TRUE(write());

    // The broken frames come in the stream in their turn.
    clockTo(105000);
    EXPECT_TRUE(read().empty());
    clockTo(106001);
    EXPECT_EQ(read(), (std::vector<std::uint8_t>{0x5A, 0, 1, 0, 0}));
    clockTo(108001);
    EXPECT_EQ(read(), (std::vector<std::uint8_t>{0xC3, 2, 1, 0, 0}));
    EXPECT_EQ(bus->pendingEvents(), 0u);
}

struct BadFile {
    const char* text;
    const char* message;  // part of the error text
};

class BadDescription : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadDescription, IsRefusedWithAReadableReason) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("vornik_bad_" +
                       std::to_string(reinterpret_cast<std::uintptr_t>(GetParam().text)) + ".json");
    std::ofstream(file) << GetParam().text;
    try {
        EmulatedPlatform::fromDescriptionFile(file);
        ADD_FAILURE() << "accepted: " << GetParam().text;
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos)
            << error.what();
    }
    std::filesystem::remove(file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadDescription,
    ::testing::Values(
        BadFile{"{", "json"}, BadFile{"[]", "expected a JSON object"},
        BadFile{R"({"interfaces":[{"binding":"usb"}]})", "interfaces[0].binding"},
        BadFile{R"({"interfaces":[{"productId":70000}]})", "productId"},
        BadFile{R"({"hostControllers":1e300})", "hostControllers: out of range"},
        BadFile{R"({"interfaces":[{"readTimeoutMs":-1e19}]})", "readTimeoutMs: out of range"},
        BadFile{R"({"interfaces":[{"hubDepth":1.5}]})", "hubDepth: not an integer"},
        BadFile{R"({"interfaces":[{"deviceNumber":10}]})", "deviceNumber"},
        BadFile{R"({"interfaces":[{"sensors":[{"sample":"abc"}]}]})", "sensors[0].sample"},
        BadFile{R"({"interfaces":[{"sensors":[{"dataSheetFile":"missing.bin"}]}]})", "cannot read"},
        BadFile{R"({"interfaces":[{"capabilities":[1,2]}]})", "capabilities"},
        BadFile{R"({"interfaces":[{}],"events":[{"atMs":5,"interface":"x","action":"unplug"}]})",
                "events[0].interface: no interface is named"},
        BadFile{R"({"interfaces":[{}],"events":[{"atMs":5,"interface":1,"action":"unplug"}]})",
                "events[0].interface: out of range"},
        BadFile{R"({"interfaces":[{}],"events":[{"atMs":5,"interface":0,"action":"explode"}]})",
                "events[0].action"},
        BadFile{R"({"interfaces":[{}],"events":[{"interface":0,"action":"unplug"}]})",
                "events[0].atMs"}));

TEST(DescriptionFile, MissingFile) {
    EXPECT_THROW(EmulatedPlatform::fromDescriptionFile(data("no_such_file.json")),
                 std::runtime_error);
}

}  // namespace
