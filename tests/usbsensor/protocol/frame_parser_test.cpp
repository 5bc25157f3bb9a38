// Stream frame parser: splits at every position, empty payloads, bad marker and channel, full
// and dropped stores.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "protocol/frame_parser.h"

using namespace vornik;

namespace {

struct RecordingSink : FrameSink {
    int channels = 3;
    size_t capacity = 1 << 20;
    bool drop = false;
    std::map<int, std::vector<uint8_t>> got;
    int stores = 0;

    bool hasChannel(uint8_t ch) const override { return ch < channels; }
    StoreResult store(uint8_t ch, const uint8_t* data, size_t n) override {
        ++stores;
        if (drop) return StoreResult::Dropped;
        auto& v = got[ch];
        const size_t room = capacity - std::min(capacity, v.size());
        v.insert(v.end(), data, data + std::min(n, room));
        return n <= room ? StoreResult::Stored : StoreResult::Full;
    }
};

void frame(std::vector<uint8_t>& out, uint8_t ch, const std::vector<uint8_t>& payload) {
    out.push_back(0xC3);
    out.push_back(ch);
    out.push_back(static_cast<uint8_t>(payload.size()));
    out.push_back(static_cast<uint8_t>(payload.size() >> 8));
    out.insert(out.end(), payload.begin(), payload.end());
}

std::vector<uint8_t> bytes(size_t n, uint8_t first) {
    std::vector<uint8_t> v;
    for (size_t i = 0; i < n; ++i) v.push_back(static_cast<uint8_t>(first + i));
    return v;
}

std::vector<uint8_t> sampleStream() {
    std::vector<uint8_t> s;
    frame(s, 0, bytes(5, 1));
    frame(s, 2, {});
    frame(s, 1, bytes(300, 50));  // length high byte in use
    frame(s, 0, bytes(2, 9));
    return s;
}

}  // namespace

TEST(FrameParser, AnyTwoSplitsGiveTheSameChannels) {
    const std::vector<uint8_t> s = sampleStream();
    RecordingSink whole;
    FrameParser p;
    ASSERT_EQ(p.feed(s.data(), s.size(), whole), 0);
    EXPECT_EQ(whole.got[0], (std::vector<uint8_t>{1, 2, 3, 4, 5, 9, 10}));
    EXPECT_EQ(whole.got[1], bytes(300, 50));
    EXPECT_EQ(whole.got.count(2), 0u);  // an empty payload stores nothing
    EXPECT_EQ(p.state(), FrameParser::kExpectMarker);

    for (size_t a = 0; a <= s.size(); a += 3) {
        for (size_t b = a; b <= s.size(); b += 7) {
            RecordingSink sink;
            FrameParser q;
            ASSERT_EQ(q.feed(s.data(), a, sink), 0);
            ASSERT_EQ(q.feed(s.data() + a, b - a, sink), 0);
            ASSERT_EQ(q.feed(s.data() + b, s.size() - b, sink), 0);
            ASSERT_EQ(sink.got, whole.got) << a << " " << b;
            ASSERT_EQ(q.state(), FrameParser::kExpectMarker);
        }
    }
}

TEST(FrameParser, ByteByByteTracksItsState) {
    std::vector<uint8_t> s;
    frame(s, 1, {7, 8});
    RecordingSink sink;
    FrameParser p;
    const int states[] = {3, 2, 1, 0, 0, 4};
    for (size_t i = 0; i < s.size(); ++i) {
        ASSERT_EQ(p.feed(&s[i], 1, sink), 0);
        EXPECT_EQ(p.state(), states[i]) << i;
    }
    EXPECT_EQ(p.frameChannel(), 1);
    EXPECT_EQ(p.payloadLeft(), 0);
}

TEST(FrameParser, ZeroLengthPayloadStoresNothing) {
    std::vector<uint8_t> s;
    frame(s, 1, {});
    RecordingSink sink;
    FrameParser p;
    EXPECT_EQ(p.feed(s.data(), s.size(), sink), 0);
    EXPECT_EQ(p.state(), FrameParser::kExpectMarker);
    EXPECT_EQ(sink.stores, 0);
}

TEST(FrameParser, Failures) {
    struct Case {
        std::vector<uint8_t> stream;
        int status;
        size_t storedOnChannel0;
    };
    std::vector<uint8_t> badChannel;
    frame(badChannel, 0, {1, 2});
    frame(badChannel, 3, {1, 2});  // equal to the channel count
    std::vector<uint8_t> badMarker;
    frame(badMarker, 0, {1, 2, 3});
    badMarker.push_back(0xC2);
    std::vector<uint8_t> overflow;
    frame(overflow, 0, bytes(40, 0));
    const std::vector<Case> cases = {
        {badChannel, kStreamStatusBadChannel, 2},
        {badMarker, kStreamStatusBadMarker, 3},
        {overflow, kStreamStatusRingFull, 32},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        sink.capacity = 32;
        FrameParser p;
        EXPECT_EQ(p.feed(c.stream.data(), c.stream.size(), sink), c.status);
        EXPECT_EQ(sink.got[0].size(), c.storedOnChannel0);
    }
}

TEST(FrameParser, DroppedPayloadKeepsTheFraming) {
    std::vector<uint8_t> s;
    frame(s, 0, bytes(10, 0));
    frame(s, 1, bytes(4, 0));
    RecordingSink sink;
    sink.drop = true;
    FrameParser p;
    EXPECT_EQ(p.feed(s.data(), s.size(), sink), 0);
    EXPECT_EQ(p.state(), FrameParser::kExpectMarker);
    EXPECT_EQ(sink.stores, 2);
    EXPECT_TRUE(sink.got.empty());
}

// A block parsed whole (whole frames taken at once) ends as the same bytes fed one at a time:
// same status, same stored bytes, same frame channel, and after success the same state.
TEST(FrameParser, WholeBlockMatchesByteByByte) {
    std::vector<uint8_t> good = sampleStream();
    std::vector<uint8_t> markerAfterFrames = good;
    markerAfterFrames.insert(markerAfterFrames.end(), {0xC2, 0, 1, 0, 5});
    std::vector<uint8_t> channelAfterFrames = good;
    frame(channelAfterFrames, 7, bytes(3, 0));
    std::vector<uint8_t> fullInWholeFrame;
    frame(fullInWholeFrame, 1, bytes(20, 0));
    frame(fullInWholeFrame, 1, bytes(20, 100));
    frame(fullInWholeFrame, 0, bytes(2, 0));
    std::vector<uint8_t> endsInPayload = good;
    frame(endsInPayload, 2, bytes(16, 0));
    endsInPayload.resize(endsInPayload.size() - 9);
    std::vector<uint8_t> endsInHeader = good;
    endsInHeader.insert(endsInHeader.end(), {0xC3, 1, 4});
    struct Case {
        std::vector<uint8_t> stream;
        int status;
        size_t capacity;
    };
    const std::vector<Case> cases = {
        {good, 0, 1000},
        {markerAfterFrames, kStreamStatusBadMarker, 1000},
        {channelAfterFrames, kStreamStatusBadChannel, 1000},
        {fullInWholeFrame, kStreamStatusRingFull, 32},
        {endsInPayload, 0, 1000},
        {endsInHeader, 0, 1000},
    };
    for (const Case& c : cases) {
        RecordingSink whole, single;
        whole.capacity = single.capacity = c.capacity;
        FrameParser a, b;
        EXPECT_EQ(a.feed(c.stream.data(), c.stream.size(), whole), c.status);
        int s = 0;
        for (size_t i = 0; i < c.stream.size() && s == 0; ++i) s = b.feed(&c.stream[i], 1, single);
        EXPECT_EQ(s, c.status);
        EXPECT_EQ(whole.got, single.got);
        EXPECT_EQ(a.frameChannel(), b.frameChannel());
        // After a failure the parser is reset before it is used again; until then its state
        // depends on how much of the failing frame it had taken.
        if (c.status == 0) {
            EXPECT_EQ(a.state(), b.state());
            EXPECT_EQ(a.payloadLeft(), b.payloadLeft());
        }
    }
}
