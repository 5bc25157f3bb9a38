// Exports: continuous sampling through the reader thread, the start and stop requests, frames
// split across reads, broken streams and a full ring.
#include <algorithm>

#include "api_test_util.h"

using namespace apitest;
using vornik::emulation::TransferRecord;

namespace {

std::vector<TransferRecord> requests(const EmulatedInterface& d, uint8_t request) {
    std::vector<TransferRecord> out;
    for (const TransferRecord& r : d.transfers())
        if (r.kind == TransferRecord::Kind::Control && r.request == request) out.push_back(r);
    return out;
}

// Takes samples until `bytes` have come (or the stream ended); returns them.
std::vector<uint8_t> collect(int id, int channel, int sampleSize, size_t bytes) {
    std::vector<uint8_t> got;
    std::vector<uint8_t> buf(1000);
    eventually([&] {
        const int n = VorGetSampleData(0, id, channel, sampleSize, buf.data(), 1000);
        if (n < 0) return true;
        EXPECT_EQ(n % sampleSize, 0);
        got.insert(got.end(), buf.begin(), buf.begin() + n);
        return got.size() >= bytes;
    });
    return got;
}

// Drains a stopped stream: true when the export finally reports its end.
bool drainsToEnd(int id, int channel, int sampleSize) {
    std::vector<uint8_t> buf(4096);
    return eventually(
        [&] { return VorGetSampleData(0, id, channel, sampleSize, buf.data(), 4096) == -1; });
}

SensorConfig countingSensor(uint8_t first) {
    SensorConfig s = sensor();
    for (uint8_t i = 0; i < 50; ++i) {
        const uint8_t v = static_cast<uint8_t>(first + i);
        s.streamSamples.push_back({v, v, v, v, v, v});
    }
    return s;
}

}  // namespace

TEST_F(ApiTest, SingleChannelStream) {
    const int id = attach(interfaceWith(1));
    auto& dev = *devicesPlugged[0];
    ASSERT_EQ(VorGetNumChannels(0, id), 1);
    ASSERT_EQ(VorStartContinuousSampling(0, id, 0, 70000), 6);  // the rate goes out as 16 bits
    const auto config = dev.streamConfiguration(0);
    ASSERT_TRUE(config.has_value());
    EXPECT_EQ(config->rate, static_cast<uint16_t>(70000));
    EXPECT_EQ(config->sampleSize, 6);
    EXPECT_EQ(config->flags, (std::array<uint8_t, 4>{0, 0, 1, 0}));
    const auto start = requests(dev, 0x82);
    ASSERT_EQ(start.size(), 1u);
    EXPECT_EQ(start[0].value, 0xFFFE);
    EXPECT_EQ(start[0].length, 0);

    const std::vector<uint8_t> got = collect(id, 0, 6, 120);
    ASSERT_GE(got.size(), 120u);
    for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], i % 6 + 1) << i;
    uint8_t small[5];
    EXPECT_EQ(VorGetSampleData(0, id, 0, 6, small, 5), 0);  // less than one sample
    EXPECT_EQ(VorGetSampleData(0, id, 0, 0, small, 5), -1);
    EXPECT_EQ(VorGetSampleData(0, id, 1, 6, small, 5), -1);
    EXPECT_EQ(VorGetSampleData(0, id, -1, 6, small, 5), -1);
    EXPECT_EQ(VorGetSampleData(0, 777, 0, 6, small, 5), -1);

    EXPECT_EQ(VorStopContinuousSampling(0, id, 0), 1);
    const auto stop = requests(dev, 0x83);
    ASSERT_EQ(stop.size(), 1u);
    EXPECT_EQ(stop[0].length, 0);
    EXPECT_TRUE(drainsToEnd(id, 0, 6));
    EXPECT_TRUE(dev.streamingChannels().empty());
}

TEST_F(ApiTest, ThreeChannelStreamWithFramesSplitAcrossReads) {
    InterfaceConfig c = interfaceWith(3);
    c.sensors[1] = countingSensor(100);
    c.samplesPerFrame = 3;
    c.readSplits = {5, 1, 3, 17, 2, 64};
    const int id = attach(c);
    auto& dev = *devicesPlugged[0];
    ASSERT_EQ(VorGetNumChannels(0, id), 3);
    ASSERT_EQ(VorStartContinuousSampling(0, id, 1, 100), 6);
    const auto start = requests(dev, 0x82);
    ASSERT_EQ(start.size(), 1u);
    EXPECT_EQ(start[0].value, 0);
    EXPECT_EQ(start[0].data, (std::vector<uint8_t>{0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF}));

    const std::vector<uint8_t> got = collect(id, 1, 6, 600);
    ASSERT_GE(got.size(), 600u);
    for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], 100 + (i / 6) % 50) << i;
    uint8_t buf[6];
    EXPECT_EQ(VorGetSampleData(0, id, 0, 6, buf, 6), 0);  // not sampled, stream running
    EXPECT_EQ(VorGetSampleData(0, id, 3, 6, buf, 6), -1);
    EXPECT_EQ(VorStopContinuousSampling(0, id, 1), 1);
    EXPECT_TRUE(drainsToEnd(id, 1, 6));

    // A new start empties the rings and streams again.
    ASSERT_EQ(VorStartContinuousSampling(0, id, 1, 100), 6);
    const std::vector<uint8_t> again = collect(id, 1, 6, 60);
    ASSERT_GE(again.size(), 60u);
    EXPECT_EQ(again[0], 100);
    VorStopContinuousSampling(0, id, 1);
}

TEST_F(ApiTest, BrokenFramesEndTheStream) {
    for (const std::vector<uint8_t>& injected :
         {std::vector<uint8_t>{0x55}, std::vector<uint8_t>{0xC3, 0x03, 0x01, 0x00, 0x09}}) {
        const int id = attach(interfaceWith(3));
        auto& dev = *devicesPlugged.back();
        ASSERT_EQ(VorGetNumChannels(0, id), 3);
        dev.injectStreamBytes(injected);
        ASSERT_EQ(VorStartContinuousSampling(0, id, 0, 100), 6);
        EXPECT_TRUE(drainsToEnd(id, 0, 6));
        bus->unplug(dev);
        devices();
    }
}

TEST_F(ApiTest, FullRingEndsTheStreamAndKeepsWhatFitted) {
    InterfaceConfig c = interfaceWith(1);
    c.samplesPerSecond = 0;   // a fixed number of samples for every read
    c.samplesPerFrame = 680;  // 4080 bytes
    const int id = attach(c);
    ASSERT_EQ(VorGetNumChannels(0, id), 1);
    ASSERT_EQ(VorStartContinuousSampling(0, id, 0, 100), 6);
    // At most 4096 bytes every 10 ms: 262,144 bytes take about 650 ms. Asking for less than
    // one sample takes nothing and tells whether the stream still runs.
    std::vector<uint8_t> buf(1 << 20);
    EXPECT_TRUE(
        eventually([&] { return VorGetSampleData(0, id, 0, 6, buf.data(), 5) == -1; }, 10000));
    const int n = VorGetSampleData(0, id, 0, 6, buf.data(), static_cast<int>(buf.size()));
    EXPECT_EQ(n, 262144 - 262144 % 6);
    // The 4 bytes left make no whole sample and the stream has ended.
    EXPECT_EQ(VorGetSampleData(0, id, 0, 6, buf.data(), static_cast<int>(buf.size())), -1);
    EXPECT_EQ(VorGetSampleData(0, id, 0, 4, buf.data(), static_cast<int>(buf.size())), 4);
    VorStopContinuousSampling(0, id, 0);
}

TEST_F(ApiTest, ProductEightStopsWithOneByteAndDrainsFromVersionTwo) {
    struct Case {
        std::array<uint8_t, 2> version;
        int drains;
    };
    // The version is byte 0 * 256 + byte 1, both bytes signed.
    for (const Case& c : {Case{{0, 2}, 2}, Case{{0, 1}, 0}, Case{{0xFF, 5}, 0}, Case{{1, 0}, 2},
                          Case{{0, 0x80}, 0}}) {
        InterfaceConfig config = interfaceWith(1, 8);
        config.version = c.version;
        const int id = attach(config);
        auto& dev = *devicesPlugged.back();
        ASSERT_EQ(VorGetNumChannels(0, id), 1);
        ASSERT_EQ(VorStartContinuousSampling(0, id, 0, 100), 6);
        dev.clearTransfers();
        EXPECT_EQ(VorStopContinuousSampling(0, id, 0), 1);
        const auto t = dev.transfers();
        const auto stop = std::find_if(t.begin(), t.end(), [](const TransferRecord& r) {
            return r.kind == TransferRecord::Kind::Control && r.request == 0x83;
        });
        ASSERT_NE(stop, t.end());
        EXPECT_EQ(stop->data, std::vector<uint8_t>{0});
        const auto drains = std::count_if(stop, t.end(), [](const TransferRecord& r) {
            return r.kind == TransferRecord::Kind::ReadPipe && r.length == 1000;
        });
        EXPECT_EQ(drains, c.drains) << int(c.version[0]) << " " << int(c.version[1]);
        bus->unplug(dev);
        devices();
    }
}

TEST_F(ApiTest, UnpluggedWhileStreaming) {
    const int id = attach(interfaceWith(1));
    ASSERT_EQ(VorGetNumChannels(0, id), 1);
    ASSERT_EQ(VorStartContinuousSampling(0, id, 0, 100), 6);
    ASSERT_FALSE(collect(id, 0, 6, 12).empty());
    bus->unplug(*devicesPlugged[0]);
    // The failed bulk read ends the stream before any rescan.
    EXPECT_TRUE(drainsToEnd(id, 0, 6));
    EXPECT_TRUE(devices().empty());
    EXPECT_EQ(VorStopContinuousSampling(0, id, 0), -1);
}
