// The bulk stream: raw samples or frames, read splits, injected bytes, rate, stop, abort.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "emulation/emulated_interface.h"

using namespace vornik::emulation;

namespace {

InterfaceConfig streamingInterface(std::uint16_t channels) {
    InterfaceConfig config;
    config.channelCount = channels;
    config.samplesPerSecond = 0;
    config.readTimeoutMs = 20;
    for (std::uint16_t c = 0; c < channels; ++c) {
        SensorConfig sensor;
        sensor.sample = {static_cast<std::uint8_t>(0x10 * c), 0};
        sensor.streamSamples = {{static_cast<std::uint8_t>(0x10 * c + 1), 0xA0},
                                {static_cast<std::uint8_t>(0x10 * c + 2), 0xB0}};
        config.sensors.push_back(sensor);
    }
    return config;
}

std::vector<std::uint8_t> read(EmulatedInterface& device, std::uint32_t length,
                               bool* ok = nullptr) {
    std::vector<std::uint8_t> buffer(length);
    const auto reply = device.readPipe(0x82, buffer.data(), length);
    if (ok) *ok = reply.ok;
    buffer.resize(reply.ok ? reply.transferred : 0);
    return buffer;
}

bool start(EmulatedInterface& device, std::vector<std::uint16_t> words) {
    std::vector<std::uint8_t> data;
    for (auto w : words) {
        data.push_back(static_cast<std::uint8_t>(w & 0xFF));
        data.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    return device.control(0x42, 0x82, 0, 0, data.data(), static_cast<std::uint32_t>(data.size()))
        .ok;
}

TEST(Stream, SingleChannelIsRawSamplesInOrder) {
    EmulatedInterface device(streamingInterface(1));
    device.setBusState({true, 1, 0x200, std::nullopt});
    ASSERT_TRUE(device.control(0x42, 0x82, 0xFFFE, 0, nullptr, 0).ok);
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < 8) {
        const auto chunk = read(device, 4096);
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8),
              (std::vector<std::uint8_t>{0x01, 0xA0, 0x02, 0xB0, 0x01, 0xA0, 0x02, 0xB0}));
}

TEST(Stream, FramesOfEveryStreamedChannelSplitAtArbitraryPoints) {
    InterfaceConfig config = streamingInterface(3);
    config.samplesPerFrame = 2;
    config.readSplits = {1, 3, 2, 7};
    EmulatedInterface device(config);
    device.setBusState({true, 1, 0x200, std::nullopt});
    ASSERT_TRUE(start(device, {0xFFFE, 0xFFFF, 0xFFFE}));
    EXPECT_EQ(device.streamingChannels(), (std::vector<int>{0, 2}));

    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> sizes;
    while (bytes.size() < 24) {
        const auto chunk = read(device, 4096);
        sizes.push_back(chunk.size());
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(std::vector<std::size_t>(sizes.begin(), sizes.begin() + 4),
              (std::vector<std::size_t>{1, 3, 2, 7}));
    const std::vector<std::uint8_t> expected{0xC3, 0, 4, 0, 0x01, 0xA0, 0x02, 0xB0,
                                             0xC3, 2, 4, 0, 0x21, 0xA0, 0x22, 0xB0,
                                             0xC3, 0, 4, 0, 0x01, 0xA0, 0x02, 0xB0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 24), expected);
}

TEST(Stream, InjectedBytesComeFirstAndReadsAreBoundedByTheCaller) {
    EmulatedInterface device(streamingInterface(2));
    device.setBusState({true, 1, 0x200, std::nullopt});
    const std::vector<std::uint8_t> broken{0xC4, 0x00, 0x01};
    device.injectStreamBytes(broken);
    EXPECT_EQ(read(device, 2), (std::vector<std::uint8_t>{0xC4, 0x00}));
    EXPECT_EQ(read(device, 100), (std::vector<std::uint8_t>{0x01}));
    bool ok = true;
    EXPECT_TRUE(read(device, 100, &ok).empty());  // idle: the pipe times out
    EXPECT_FALSE(ok);
}

TEST(Stream, RateLimitsTheSamplesProduced) {
    InterfaceConfig config = streamingInterface(1);
    config.samplesPerSecond = 200;  // one sample every 5 ms
    EmulatedInterface device(config);
    device.setBusState({true, 1, 0x200, std::nullopt});
    ASSERT_TRUE(device.control(0x42, 0x82, 0xFFFE, 0, nullptr, 0).ok);
    const auto begin = std::chrono::steady_clock::now();
    std::size_t total = 0;
    while (std::chrono::steady_clock::now() - begin < std::chrono::milliseconds(100)) {
        total += read(device, 4096).size();
    }
    const auto elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - begin)
                               .count();
    // Two bytes per sample; never ahead of the clock.
    EXPECT_LE(total, static_cast<std::size_t>(2 * (elapsedMs / 5 + 1)));
    EXPECT_GE(total, 2u);
}

TEST(Stream, StopLeavesTheBacklogThenTheReadTimesOut) {
    EmulatedInterface device(streamingInterface(1));
    device.setBusState({true, 1, 0x200, std::nullopt});
    ASSERT_TRUE(device.control(0x42, 0x82, 0xFFFE, 0, nullptr, 0).ok);
    EXPECT_EQ(read(device, 4096).size(), 2u);
    ASSERT_TRUE(device.control(0x42, 0x83, 0, 0, nullptr, 0).ok);
    EXPECT_TRUE(device.streamingChannels().empty());
    bool ok = true;
    read(device, 4096, &ok);
    EXPECT_FALSE(ok);
}

TEST(Stream, AbortAndUnplugEndABlockedRead) {
    InterfaceConfig config = streamingInterface(1);
    config.readTimeoutMs = 10000;
    EmulatedInterface device(config);
    device.setBusState({true, 1, 0x200, std::nullopt});
    for (int round = 0; round < 2; ++round) {
        bool ok = true;
        std::thread reader([&] { read(device, 64, &ok); });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto begin = std::chrono::steady_clock::now();
        if (round == 0) {
            EXPECT_TRUE(device.abortPipe(0x82));
        } else {
            device.setBusState({false, 1, 0x200, std::nullopt});
        }
        reader.join();
        EXPECT_FALSE(ok);
        EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
    }
}

TEST(Stream, WrongEndpointOrFailureInjection) {
    EmulatedInterface device(streamingInterface(1));
    device.setBusState({true, 1, 0x200, std::nullopt});
    ASSERT_TRUE(device.control(0x42, 0x82, 0xFFFE, 0, nullptr, 0).ok);
    std::uint8_t buffer[8];
    EXPECT_FALSE(device.readPipe(0x81, buffer, 8).ok);
    device.failNextTransfers(1);
    EXPECT_FALSE(device.readPipe(0x82, buffer, 8).ok);
    EXPECT_TRUE(device.readPipe(0x82, buffer, 8).ok);
}

// Frames whose samples add up beyond a 16-bit length are cut on sample boundaries, and every
// frame's length field matches the bytes that follow it.
TEST(Stream, LongFramesAreSplitSoTheLengthFieldHolds) {
    InterfaceConfig config = streamingInterface(2);
    config.samplesPerFrame = 300;
    config.sensors[0].streamSamples.clear();
    config.sensors[0].sample.assign(300, 0x5A);  // 300 x 300 bytes = 90,000 per frame
    EmulatedInterface device(config);
    device.setBusState({true, 1, 0x200, std::nullopt});
    ASSERT_TRUE(start(device, {0xFFFE, 0xFFFF}));
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < 90000 + 8) {
        const auto chunk = read(device, 65536);
        ASSERT_FALSE(chunk.empty());
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    std::size_t at = 0;
    std::size_t payload = 0;
    std::vector<std::size_t> lengths;
    while (payload < 90000) {
        ASSERT_LE(at + 4, bytes.size());
        ASSERT_EQ(bytes[at], 0xC3) << at;
        ASSERT_EQ(bytes[at + 1], 0);
        const std::size_t n = bytes[at + 2] | (bytes[at + 3] << 8);
        lengths.push_back(n);
        ASSERT_LE(at + 4 + n, bytes.size());
        for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(bytes[at + 4 + i], 0x5A) << at + 4 + i;
        EXPECT_EQ(n % 300, 0u);
        payload += n;
        at += 4 + n;
    }
    EXPECT_EQ(payload, 90000u);
    EXPECT_EQ(lengths, (std::vector<std::size_t>{65400, 24600}));
}

}  // namespace
