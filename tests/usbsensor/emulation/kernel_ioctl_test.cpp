// The emulated kernel driver and host controllers decode control codes and blocks byte by byte:
// a block laid out wrongly fails.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "emulation/emulated_platform.h"
#include "enumeration/vornik_usb_driver_mgr.h"

using namespace vornik;
using emulation::EmulatedPlatform;
using emulation::InterfaceConfig;

namespace {

struct IoctlCase {
    const char* name;
    std::uint32_t code;
    std::vector<std::uint8_t> input;
    std::uint32_t outputSize;
    bool ok;
    std::uint32_t returned;
};

class KernelIoctl : public ::testing::TestWithParam<IoctlCase> {};

TEST_P(KernelIoctl, DecodesOrRefuses) {
    EmulatedPlatform bus;
    InterfaceConfig config;
    config.binding = emulation::Binding::KernelDriver;
    config.channelCount = 1;
    emulation::SensorConfig sensor;
    sensor.dataSheet = {1, 2, 3, 4, 5, 6, 7, 8};
    config.sensors = {sensor};
    bus.plugIn(config);
    const auto handle = bus.createFileA(VornikUsbDriverMgr::devicePath(0),
                                        platform::kGenericRead | platform::kGenericWrite, 3,
                                        platform::kOpenExisting, 0);
    ASSERT_NE(handle, platform::kInvalidHandle);
    const IoctlCase& c = GetParam();
    std::vector<std::uint8_t> output(c.outputSize);
    std::uint32_t returned = 12345;
    const bool ok =
        bus.deviceIoControl(handle, c.code, c.input.empty() ? nullptr : c.input.data(),
                            static_cast<std::uint32_t>(c.input.size()),
                            output.empty() ? nullptr : output.data(), c.outputSize, &returned);
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(returned, c.ok ? c.returned : 0u);
}

// Pipe value of endpoint 0x82 as the lookup hands it out, little-endian.
std::vector<std::uint8_t> pipeOf(std::uint8_t endpoint) {
    EmulatedPlatform bus;
    InterfaceConfig config;
    config.binding = emulation::Binding::KernelDriver;
    bus.plugIn(config);
    const auto handle = bus.createFileA(VornikUsbDriverMgr::devicePath(0),
                                        platform::kGenericRead | platform::kGenericWrite, 3,
                                        platform::kOpenExisting, 0);
    const std::uint8_t query[4] = {static_cast<std::uint8_t>(endpoint >> 7),
                                   static_cast<std::uint8_t>(endpoint & 0x0F), 2, 0};
    std::vector<std::uint8_t> value(4);
    std::uint32_t returned = 0;
    bus.deviceIoControl(handle, 0x222084, query, 4, value.data(), 4, &returned);
    return value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, KernelIoctl,
    ::testing::Values(
        IoctlCase{"descriptor", 0x222004, {}, 18, true, 18},
        IoctlCase{"descriptorWithInput", 0x222004, {0}, 18, false, 0},
        IoctlCase{"frame", 0x222054, {}, 4, true, 4},
        IoctlCase{"frameShortOutput", 0x222054, {}, 2, false, 0},
        IoctlCase{"headerRequest", 0x222059, {1, 2, 2, 0, 0x01, 0, 0, 0, 0, 0}, 8, true, 8},
        IoctlCase{"blockNotVendor", 0x222059, {1, 1, 2, 0, 0x01, 0, 0, 0, 0, 0}, 8, false, 0},
        IoctlCase{"blockNotEndpoint", 0x222059, {1, 2, 0, 0, 0x01, 0, 0, 0, 0, 0}, 8, false, 0},
        IoctlCase{"blockByte5", 0x222059, {1, 2, 2, 0, 0x01, 1, 0, 0, 0, 0}, 8, false, 0},
        IoctlCase{"blockNineBytes", 0x222059, {1, 2, 2, 0, 0x01, 0, 0, 0, 0}, 8, false, 0},
        IoctlCase{"blockDirectionOut", 0x222059, {0, 2, 2, 0, 0x01, 0, 0, 0, 0, 0}, 8, false, 0},
        IoctlCase{"blockValueSwapped", 0x222059, {1, 2, 2, 0, 0x8A, 0, 0, 1, 0, 0}, 0, false, 0},
        IoctlCase{"attachNotice", 0x222059, {1, 2, 2, 0, 0x8A, 0, 1, 0, 0, 0}, 0, true, 0},
        IoctlCase{"lookupIn2", 0x222084, {1, 2, 2, 0}, 4, true, 4},
        IoctlCase{"lookupType", 0x222084, {1, 2, 3, 0}, 4, false, 0},
        IoctlCase{"lookupAddressNotNumber", 0x222084, {1, 0x82, 2, 0}, 4, false, 0},
        IoctlCase{"lookupUnknown", 0x222084, {1, 5, 2, 0}, 4, false, 0},
        IoctlCase{"resetWithPipeValue", 0x222035, pipeOf(0x82), 0, true, 0},
        IoctlCase{"resetWithEndpoint", 0x222035, {0x82, 0, 0, 0}, 0, false, 0},
        IoctlCase{"resetWithMinusOne", 0x222035, {0xFF, 0xFF, 0xFF, 0xFF}, 0, false, 0},
        IoctlCase{"unknownCode", 0x222008, {}, 4, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostControllerRequest, BusStatisticsHeaderIsChecked) {
    EmulatedPlatform bus;
    const auto set = bus.getClassDevs(platform::kHostControllerClass);
    const auto hc = bus.enumDeviceInterface(set, platform::kHostControllerClass, 0);
    bus.destroyDeviceInfoList(set);
    ASSERT_TRUE(hc.has_value());
    const auto handle = bus.createFileW(
        hc->path, platform::kGenericRead | platform::kGenericWrite, 3, platform::kOpenExisting,
        platform::kFileFlagOverlapped | platform::kFileAttributeNormal);
    ASSERT_NE(handle, platform::kInvalidHandle);
    const auto request = [&](std::uint32_t code, std::array<std::uint32_t, 4> header,
                             std::uint32_t size, std::uint32_t* frame) {
        std::vector<std::uint8_t> block(size);
        std::memcpy(block.data(), header.data(), 16);
        std::uint32_t returned = 0;
        const bool ok =
            bus.deviceIoControl(handle, code, block.data(), size, block.data(), size, &returned);
        if (ok && frame) std::memcpy(frame, block.data() + 28, 4);
        return ok;
    };
    std::uint32_t frame = 0;
    EXPECT_TRUE(request(0x220438, {6, 0, 72, 0}, 72, &frame));
    EXPECT_GE(frame, 1000000u);
    EXPECT_FALSE(request(0x220438, {5, 0, 72, 0}, 72, nullptr));
    EXPECT_FALSE(request(0x220438, {6, 0, 64, 0}, 72, nullptr));
    EXPECT_FALSE(request(0x220438, {6, 0, 72, 0}, 64, nullptr));
    EXPECT_FALSE(request(0x22043C, {6, 0, 72, 0}, 72, nullptr));
}

}  // namespace
