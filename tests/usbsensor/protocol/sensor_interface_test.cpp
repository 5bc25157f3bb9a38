// Sensor interface requests over a scripted transport: interface information, start and stop
// edge cases, ring allocation, the single-channel block path.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "protocol/sensor_interface.h"
#include "transport/usb_driver.h"

using namespace vornik;

namespace {

struct Sent {
    uint8_t request;
    uint16_t value;
    uint16_t index;
    std::vector<uint8_t> data;
};

class ScriptedDriver : public UsbDriver {
  public:
    uint16_t channels = 3;
    std::map<uint8_t, bool> refuse;  // requests that fail
    std::array<uint8_t, 2> version{0, 2};
    std::vector<Sent> sent;
    int resets = 0;
    std::vector<std::pair<uint8_t, int32_t>> pipeReads;  // pipe and length

    bool controlIn(uint8_t request, uint16_t value, uint16_t index, void* buffer, int32_t length,
                   int32_t* transferred) override {
        sent.push_back({request, value, index, {}});
        if (refuse[request]) return false;
        std::vector<uint8_t> reply(static_cast<size_t>(length), 0);
        if (request == 0x84 && length >= 2) {
            reply[0] = static_cast<uint8_t>(channels);
            reply[1] = static_cast<uint8_t>(channels >> 8);
        }
        if (request == 0xF2 && length >= 2) std::memcpy(reply.data(), version.data(), 2);
        if (length > 0) std::memcpy(buffer, reply.data(), reply.size());
        if (transferred != nullptr) *transferred = length;
        return true;
    }
    bool controlOut(uint8_t request, uint16_t value, uint16_t index, const void* buffer,
                    int32_t length) override {
        const auto* b = static_cast<const uint8_t*>(buffer);
        sent.push_back({request, value, index, std::vector<uint8_t>(b, b + length)});
        return !refuse[request];
    }
    bool resetPipe(uint8_t) override {
        ++resets;
        return true;
    }
    bool readPipe(uint8_t pipe, void*, int32_t length, int32_t*) override {
        pipeReads.emplace_back(pipe, length);
        return true;
    }
    int count(uint8_t request) const {
        int n = 0;
        for (const Sent& s : sent) n += s.request == request;
        return n;
    }
};

// Bulk reads from a script, for the reader thread; every call may come from either thread.
class StreamDriver : public UsbDriver {
  public:
    std::mutex lock;
    std::deque<std::optional<std::vector<uint8_t>>> reads;  // nullopt: the read fails
    std::vector<uint16_t> statusChannels;
    bool refuseStatus = false;
    int8_t statusCode = 0;

    bool controlIn(uint8_t request, uint16_t, uint16_t index, void* buffer, int32_t length,
                   int32_t*) override {
        std::lock_guard<std::mutex> g(lock);
        if (length > 0) std::memset(buffer, 0, static_cast<size_t>(length));
        if (request == 0x84) static_cast<uint8_t*>(buffer)[0] = 3;
        if (request != 0xF1) return true;
        statusChannels.push_back(index);
        static_cast<int8_t*>(buffer)[0] = statusCode;
        return !refuseStatus;
    }
    bool controlOut(uint8_t, uint16_t, uint16_t, const void*, int32_t) override { return true; }
    bool resetPipe(uint8_t) override { return true; }
    bool readPipe(uint8_t, void* buffer, int32_t length, int32_t* transferred) override {
        std::lock_guard<std::mutex> g(lock);
        if (reads.empty()) {  // nothing scripted: an empty read
            if (transferred != nullptr) *transferred = 0;
            return true;
        }
        const auto next = reads.front();
        reads.pop_front();
        if (!next) return false;
        const size_t n = std::min(next->size(), static_cast<size_t>(length));
        std::memcpy(buffer, next->data(), n);
        if (transferred != nullptr) *transferred = static_cast<int32_t>(n);
        return true;
    }
};

bool waitUntilStopped(const SensorInterface& iface) {
    for (int i = 0; i < 400 && iface.streaming(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return !iface.streaming();
}

}  // namespace

// A failed bulk read ends the stream with the status code of the frame channel, or -1 when the
// status request fails too; each start begins again at channel 0.
TEST(SensorInterface, FailedBulkReadTakesTheFrameChannelStatus) {
    StreamDriver d;
    SensorInterface iface(&d, true);
    InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, true));
    struct Case {
        std::deque<std::optional<std::vector<uint8_t>>> reads;
        bool refuseStatus;
        uint16_t statusChannel;
        int32_t streamStatus;
    };
    const std::vector<uint8_t> frameOnChannel2 = {0xC3, 2, 2, 0, 7, 8};
    const std::vector<Case> cases = {
        {{frameOnChannel2, std::nullopt}, false, 2, 5},
        {{std::nullopt}, false, 0, 5},  // after a frame of channel 2 in the previous stream
        {{frameOnChannel2, std::nullopt}, true, 2, kStreamStatusRequestFailed},
        {{std::nullopt}, true, 0, kStreamStatusRequestFailed},
    };
    for (const Case& c : cases) {
        {
            std::lock_guard<std::mutex> g(d.lock);
            d.reads = c.reads;
            d.refuseStatus = c.refuseStatus;
            d.statusCode = 5;
            d.statusChannels.clear();
        }
        ASSERT_TRUE(iface.startStreaming(0, 1, 2));
        ASSERT_TRUE(waitUntilStopped(iface));
        std::lock_guard<std::mutex> g(d.lock);
        EXPECT_EQ(d.statusChannels, std::vector<uint16_t>{c.statusChannel});
        EXPECT_EQ(iface.streamStatus(), c.streamStatus);
    }
}

TEST(SensorInterface, StartWithoutChannelsOrSampledChannelDoesNothing) {
    ScriptedDriver d;
    SensorInterface iface(&d, false);
    // No interface information yet: nothing to start, reported as done.
    EXPECT_TRUE(iface.startStreaming(0, 100, 4));
    EXPECT_EQ(d.count(0x82), 0);
    EXPECT_FALSE(iface.streaming());
    InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, true));
    EXPECT_TRUE(iface.startStreaming(5, 100, 4));  // beyond the count: every word is 0xFFFF
    EXPECT_EQ(d.count(0x82), 0);
    EXPECT_EQ(d.resets, 0);
}

TEST(SensorInterface, RefusedConfigurationStillStartsRefusedStartFails) {
    ScriptedDriver d;
    SensorInterface iface(&d, false);
    InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, true));
    d.refuse[0x81] = true;
    EXPECT_TRUE(iface.startStreaming(2, 0x1234, 6));
    EXPECT_TRUE(iface.streaming());
    EXPECT_EQ(d.resets, 1);
    const Sent& config = d.sent[d.sent.size() - 2];
    EXPECT_EQ(config.data, (std::vector<uint8_t>{0x34, 0x12, 6, 0, 0, 0, 1, 0}));
    EXPECT_EQ(d.sent.back().data, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF}));

    SensorInterface other(&d, false);
    ASSERT_TRUE(other.readInterfaceInfo(info, 3, true));
    d.refuse[0x82] = true;
    EXPECT_FALSE(other.startStreaming(0, 1, 6));
    EXPECT_FALSE(other.streaming());
}

TEST(SensorInterface, ProductEightStopRequestAndVersion) {
    ScriptedDriver d;
    d.channels = 1;
    SensorInterface iface(&d, false);
    InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 8, true));
    EXPECT_TRUE(iface.oneByteStop());
    EXPECT_TRUE(iface.drainAfterStop());
    EXPECT_TRUE(iface.stopStream(0));
    EXPECT_EQ(d.sent.back().request, 0x83);
    EXPECT_EQ(d.sent.back().data, std::vector<uint8_t>{0});
    using Read = std::pair<uint8_t, int32_t>;
    EXPECT_EQ(d.pipeReads, (std::vector<Read>{{0x82, 1000}, {0x82, 1000}}));
    // The version is byte 0 * 256 + byte 1, both bytes signed.
    const std::vector<std::pair<std::array<uint8_t, 2>, bool>> versions = {
        {{0, 1}, false}, {{0, 2}, true}, {{1, 0}, true}, {{0, 0x80}, false}, {{0xFF, 0x7F}, false},
    };
    for (const auto& [version, drain] : versions) {
        d.version = version;
        ASSERT_TRUE(iface.readInterfaceInfo(info, 8, true));
        EXPECT_EQ(iface.drainAfterStop(), drain) << int(version[0]) << " " << int(version[1]);
    }
    // A failed version request leaves the drain off; another product clears both flags.
    d.version = {0, 2};
    d.refuse[0xF2] = true;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 8, true));
    EXPECT_FALSE(iface.drainAfterStop());
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, true));
    EXPECT_FALSE(iface.oneByteStop());
    d.pipeReads.clear();
    EXPECT_TRUE(iface.stopStream(0));
    EXPECT_TRUE(d.sent.back().data.empty());
    EXPECT_TRUE(d.pipeReads.empty());
}

TEST(SensorInterface, RingsFollowTheChannelCount) {
    ScriptedDriver d;
    d.channels = 1;
    SensorInterface iface(&d, false);
    InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, true));
    ASSERT_TRUE(iface.startStreaming(0, 1, 2));
    const uint8_t bytes[6] = {1, 2, 3, 4, 5, 6};
    iface.processBlock(bytes, 6);
    // Asking again keeps the existing ring and its bytes.
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, true));
    uint8_t out[8] = {};
    int32_t moved = 0;
    EXPECT_TRUE(iface.takeSamples(0, out, 8, 4, &moved));
    EXPECT_EQ(moved, 4);
    EXPECT_EQ(out[3], 4);
    EXPECT_FALSE(iface.takeSamples(1, out, 8, 4, &moved));
    // A failed query leaves no channel and no ring.
    d.refuse[0x84] = true;
    EXPECT_FALSE(iface.readInterfaceInfo(info, 3, true));
    EXPECT_EQ(iface.channelCount(), 0);
    EXPECT_FALSE(iface.hasRing(0));
    EXPECT_FALSE(iface.takeSamples(0, out, 8, 4, &moved));
    // Without allocation the rings stay as they were.
    d.refuse[0x84] = false;
    d.channels = 2;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, false));
    EXPECT_EQ(iface.channelCount(), 2);
    EXPECT_FALSE(iface.hasRing(0));
}

TEST(SensorInterface, SingleChannelBlocksFillRingZeroUntilFull) {
    ScriptedDriver d;
    d.channels = 1;
    SensorInterface iface(&d, false);
    InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 7, true));  // product 7: one channel, no request
    EXPECT_EQ(d.count(0x84), 0);
    ASSERT_TRUE(iface.startStreaming(0, 1, 4));
    EXPECT_EQ(d.sent.back().value, 0xFFFE);
    std::vector<uint8_t> block(4096, 0x11);
    for (int i = 0; i < 64; ++i) iface.processBlock(block.data(), block.size());
    EXPECT_TRUE(iface.streaming());
    iface.processBlock(block.data(), 1);
    EXPECT_FALSE(iface.streaming());
    EXPECT_EQ(iface.streamStatus(), kStreamStatusRingFull);
    std::vector<uint8_t> out(300000);
    int32_t moved = 0;
    EXPECT_TRUE(iface.takeSamples(0, out.data(), 300000, 4, &moved));
    EXPECT_EQ(moved, 262144);
    EXPECT_FALSE(iface.takeSamples(0, out.data(), 300000, 4, &moved));
    // A new start empties the ring and clears the status.
    ASSERT_TRUE(iface.startStreaming(0, 1, 4));
    EXPECT_EQ(iface.streamStatus(), 0);
    iface.processBlock(block.data(), 8);
    EXPECT_TRUE(iface.takeSamples(0, out.data(), 300000, 4, &moved));
    EXPECT_EQ(moved, 8);
}

TEST(SensorInterface, ChannelCountAboveTenIsLimited) {
    ScriptedDriver d;
    d.channels = 40;
    SensorInterface iface(&d, false);
    InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, 3, true));
    EXPECT_EQ(info.channelCount, 40);
    EXPECT_EQ(iface.channelCount(), 10);
    EXPECT_TRUE(iface.hasRing(9));
    ASSERT_TRUE(iface.startStreaming(9, 1, 2));
    EXPECT_EQ(d.sent.back().data.size(), 20u);
}
