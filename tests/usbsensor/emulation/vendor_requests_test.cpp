// The emulated interface decodes every vendor request strictly: a wrong field stalls.
#include <gtest/gtest.h>

#include <vector>

#include "emulation/emulated_interface.h"

using namespace vornik::emulation;

namespace {

InterfaceConfig threeChannels(std::uint16_t productId) {
    InterfaceConfig config;
    config.productId = productId;
    config.channelCount = 3;
    config.capabilityWord = 0x0105;
    config.capabilities = {1, 0, 1, 1, 0, 0};
    config.version = {3, 1};
    config.realProductId = 0x0107;
    SensorConfig sensor;
    sensor.dataSheet = {0x10, 0x27, 0x00, 0x20, 0x0A, 0x00, 0x00, 0x00, 0x55, 0x66};
    sensor.sample = {1, 2, 3, 4};
    sensor.statusCode = -5;
    sensor.probeValidity = {0x01, 0x00};
    SensorConfig absent;
    absent.present = false;
    config.sensors = {sensor, absent, sensor};
    return config;
}

struct RequestCase {
    const char* name;
    std::uint16_t productId;
    std::uint8_t requestType;
    std::uint8_t request;
    std::uint16_t value;
    std::uint16_t index;
    std::vector<std::uint8_t> out;  // OUT data stage
    std::uint32_t inLength;         // IN data stage length
    bool ok;
    std::vector<std::uint8_t> expectedIn;  // prefix of the IN reply
    std::uint32_t expectedLength;
};

class VendorRequest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(VendorRequest, AnswersOrStalls) {
    const RequestCase& c = GetParam();
    EmulatedInterface device(threeChannels(c.productId));
    device.setBusState({true, 1, 0x200, std::nullopt});
    std::vector<std::uint8_t> data = c.out;
    if (c.requestType == 0xC2) data.assign(c.inLength, 0xEE);
    const auto reply = device.control(c.requestType, c.request, c.value, c.index,
                                      data.empty() ? nullptr : data.data(),
                                      static_cast<std::uint32_t>(data.size()));
    EXPECT_EQ(reply.ok, c.ok);
    if (!c.ok) return;
    EXPECT_EQ(reply.transferred, c.expectedLength);
    ASSERT_GE(data.size(), c.expectedIn.size());
    EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.begin() + c.expectedIn.size()),
              c.expectedIn);
}

const std::vector<std::uint8_t> kNone;

INSTANTIATE_TEST_SUITE_P(
    Table, VendorRequest,
    ::testing::Values(
        RequestCase{
            "info", 3, 0xC2, 0x84, 0, 0, kNone, 64, true, {3, 0, 5, 1, 1, 0, 1, 1, 0, 0}, 64},
        RequestCase{"infoWithValue", 3, 0xC2, 0x84, 1, 0, kNone, 64, false, kNone, 0},
        RequestCase{"infoAsOut", 3, 0x42, 0x84, 0, 0, kNone, 0, false, kNone, 0},
        RequestCase{"attach", 3, 0xC2, 0x8A, 1, 0, kNone, 0, true, kNone, 0},
        RequestCase{"attachValue0", 3, 0xC2, 0x8A, 0, 0, kNone, 0, false, kNone, 0},
        RequestCase{"attachWithData", 3, 0xC2, 0x8A, 1, 0, kNone, 1, false, kNone, 0},
        RequestCase{"status",
                    3,
                    0xC2,
                    0xF1,
                    0,
                    2,
                    kNone,
                    16,
                    true,
                    {0xFB, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
                    16},
        RequestCase{"statusAbsent",
                    3,
                    0xC2,
                    0xF1,
                    0,
                    1,
                    kNone,
                    16,
                    true,
                    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                    16},
        RequestCase{"statusBadChannel", 3, 0xC2, 0xF1, 0, 3, kNone, 16, false, kNone, 0},
        RequestCase{"sheetHeader", 3, 0xC2, 0x01, 0, 0, kNone, 8, true, {0x10, 0x27, 0, 0x20}, 8},
        RequestCase{"sheetBeyondEnd", 3, 0xC2, 0x01, 0, 2, kNone, 64, true, {0x10, 0x27}, 10},
        RequestCase{"sheetNoSensor", 3, 0xC2, 0x01, 0, 1, kNone, 8, false, kNone, 0},
        RequestCase{"sample", 3, 0xC2, 0x21, 0, 0, kNone, 4, true, {1, 2, 3, 4}, 4},
        RequestCase{"probe", 3, 0xC2, 0xC6, 0x40, 2, kNone, 2, true, {1, 0}, 2},
        RequestCase{"probeValue0", 3, 0xC2, 0xC6, 0, 2, kNone, 2, false, kNone, 0},
        RequestCase{"realPid", 2, 0xC2, 0xED, 0, 0, kNone, 2, true, {0x07, 0x01}, 2},
        RequestCase{"versionProduct8", 8, 0xC2, 0xF2, 0, 0, kNone, 63, true, {3, 1, 0}, 63},
        RequestCase{"versionProduct3", 3, 0xC2, 0xF2, 0, 0, kNone, 63, false, kNone, 0},
        RequestCase{
            "configure", 3, 0x42, 0x81, 0, 2, {0x64, 0, 4, 0, 0, 0, 1, 0}, 0, true, kNone, 8},
        RequestCase{
            "configureShort", 3, 0x42, 0x81, 0, 2, {0x64, 0, 4, 0, 0, 0, 1}, 0, false, kNone, 0},
        RequestCase{"startWords",
                    3,
                    0x42,
                    0x82,
                    0,
                    0,
                    {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                    0,
                    true,
                    kNone,
                    6},
        RequestCase{
            "startTooFewWords", 3, 0x42, 0x82, 0, 0, {0xFF, 0xFF, 0xFE, 0xFF}, 0, false, kNone, 0},
        RequestCase{"startOddWord",
                    3,
                    0x42,
                    0x82,
                    0,
                    0,
                    {0xFF, 0xFF, 0x34, 0x12, 0xFF, 0xFF},
                    0,
                    false,
                    kNone,
                    0},
        RequestCase{"startLastChannel",
                    3,
                    0x42,
                    0x82,
                    0,
                    0,
                    {0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF},
                    0,
                    true,
                    kNone,
                    6},
        RequestCase{"startAbsentSensor",
                    3,
                    0x42,
                    0x82,
                    0,
                    0,
                    {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF},
                    0,
                    false,
                    kNone,
                    0},
        RequestCase{"stop", 3, 0x42, 0x83, 0, 1, kNone, 0, true, kNone, 0},
        RequestCase{"stopWithByte", 3, 0x42, 0x83, 0, 1, {0}, 0, false, kNone, 0},
        RequestCase{"stopProduct8", 8, 0x42, 0x83, 0, 1, {0}, 0, true, kNone, 1},
        RequestCase{"stopProduct8NoByte", 8, 0x42, 0x83, 0, 1, kNone, 0, false, kNone, 0},
        RequestCase{"firmwareOutsideLoader", 3, 0x42, 0xA0, 0x7F92, 0, {1}, 0, false, kNone, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VendorRequestSingleChannel, StartWordTravelsInTheValueField) {
    InterfaceConfig config = threeChannels(3);
    config.channelCount = 1;
    EmulatedInterface device(config);
    device.setBusState({true, 1, 0x200, std::nullopt});
    std::uint8_t words[2] = {0xFE, 0xFF};
    EXPECT_FALSE(device.control(0x42, 0x82, 0, 0, words, 2).ok);
    EXPECT_TRUE(device.streamingChannels().empty());
    EXPECT_TRUE(device.control(0x42, 0x82, 0xFFFE, 0, nullptr, 0).ok);
    EXPECT_EQ(device.streamingChannels(), std::vector<int>{0});
}

TEST(VendorRequestFailures, InjectedFailuresAndAbsenceStall) {
    EmulatedInterface device(threeChannels(3));
    std::uint8_t info[64];
    EXPECT_FALSE(device.control(0xC2, 0x84, 0, 0, info, 64).ok);  // not on the bus
    device.setBusState({true, 1, 0x200, std::nullopt});
    device.failNextTransfers(2);
    EXPECT_FALSE(device.control(0xC2, 0x84, 0, 0, info, 64).ok);
    EXPECT_FALSE(device.control(0xC2, 0x84, 0, 0, info, 64).ok);
    EXPECT_TRUE(device.control(0xC2, 0x84, 0, 0, info, 64).ok);
    const auto log = device.transfers();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_FALSE(log[2].ok);
    EXPECT_TRUE(log[3].ok);
    EXPECT_EQ(log[3].data.size(), 64u);
}

TEST(VendorRequestSensors, SensorPluggedLaterIsServed) {
    EmulatedInterface device(threeChannels(3));
    device.setBusState({true, 1, 0x200, std::nullopt});
    std::uint8_t sample[4] = {};
    EXPECT_FALSE(device.control(0xC2, 0x21, 0, 1, sample, 4).ok);
    SensorConfig sensor;
    sensor.sample = {9, 9, 9, 9};
    device.setSensor(1, sensor);
    const auto reply = device.control(0xC2, 0x21, 0, 1, sample, 4);
    EXPECT_TRUE(reply.ok);
    EXPECT_EQ(sample[0], 9);
}

// A kernel driver interface of product id 2 is the product its request 0xED names: with a real
// product id of 8 it serves the version and expects the one-byte stop.
TEST(VendorRequestProductTwo, BehavesAsTheRealProductBehindTheKernelDriver) {
    struct Case {
        Binding binding;
        std::uint16_t realProductId;
        bool product8;
    };
    for (const Case c :
         {Case{Binding::KernelDriver, 8, true}, Case{Binding::KernelDriver, 0, false},
          Case{Binding::KernelDriver, 5, false}, Case{Binding::WinUsbClass1, 8, false}}) {
        InterfaceConfig config = threeChannels(2);
        config.binding = c.binding;
        config.realProductId = c.realProductId;
        EmulatedInterface device(config);
        device.setBusState({true, 1, 0x200, std::nullopt});
        std::uint8_t version[63] = {};
        std::uint8_t zero = 0;
        EXPECT_EQ(device.control(0xC2, 0xF2, 0, 0, version, 63).ok, c.product8);
        EXPECT_EQ(device.control(0x42, 0x83, 0, 0, &zero, 1).ok, c.product8);
        EXPECT_EQ(device.control(0x42, 0x83, 0, 0, nullptr, 0).ok, !c.product8);
        std::uint8_t descriptor[18] = {};
        ASSERT_EQ(device.descriptor(descriptor, 18), 18u);
        EXPECT_EQ(descriptor[10], 2);  // the descriptor keeps product id 2
    }
}

}  // namespace
