// Sample ring: full-ring rule, block-size rounding, wrapping and reset.
#include <gtest/gtest.h>

#include <deque>
#include <numeric>
#include <vector>

#include "protocol/sample_ring.h"

using vornik::SampleRing;

namespace {
std::vector<uint8_t> counting(size_t n, uint8_t first = 0) {
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}
}  // namespace

TEST(SampleRing, DefaultCapacity) {
    SampleRing r;
    EXPECT_EQ(r.capacity(), 262144u);
    EXPECT_EQ(r.fill(), 0u);
}

TEST(SampleRing, FullRingKeepsWhatFittedAndReportsFailure) {
    SampleRing r(16);
    const auto a = counting(10);
    const auto b = counting(10, 10);
    EXPECT_TRUE(r.write(a.data(), a.size()));
    EXPECT_FALSE(r.write(b.data(), b.size()));
    EXPECT_EQ(r.fill(), 16u);
    EXPECT_FALSE(r.write(b.data(), 1));
    std::vector<uint8_t> out(32, 0xEE);
    EXPECT_EQ(r.read(out.data(), out.size(), 1), 16u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 16), counting(16));
    EXPECT_EQ(out[16], 0xEE);
    // Exactly filling the ring is not a failure.
    const auto c = counting(16);
    EXPECT_TRUE(r.write(c.data(), c.size()));
}

TEST(SampleRing, ReadsWholeBlocksOnly) {
    SampleRing r(64);
    const auto a = counting(10);
    r.write(a.data(), a.size());
    std::vector<uint8_t> out(100);
    EXPECT_EQ(r.read(out.data(), 3, 4), 0u);  // less than one sample
    EXPECT_EQ(r.read(nullptr, 0, 4), 0u);     // nothing wanted: the buffer is not touched
    EXPECT_TRUE(r.write(nullptr, 0));
    EXPECT_EQ(r.read(out.data(), 100, 0), 0u);
    EXPECT_EQ(r.read(out.data(), 100, 4), 8u);
    EXPECT_EQ(r.fill(), 2u);
    EXPECT_EQ(out[7], 7);
    EXPECT_EQ(r.read(out.data(), 100, 4), 0u);
    EXPECT_EQ(r.read(out.data(), 100, 1), 2u);
    EXPECT_EQ(out[0], 8);
}

TEST(SampleRing, WrapsAroundAndResets) {
    SampleRing r(8);
    std::vector<uint8_t> out(8);
    for (uint8_t round = 0; round < 5; ++round) {
        const auto a = counting(6, static_cast<uint8_t>(round * 6));
        ASSERT_TRUE(r.write(a.data(), a.size()));
        ASSERT_EQ(r.read(out.data(), 8, 3), 6u);
        EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 6), a);
    }
    const auto a = counting(5);
    r.write(a.data(), a.size());
    r.reset();
    EXPECT_EQ(r.fill(), 0u);
    EXPECT_EQ(r.read(out.data(), 8, 1), 0u);
    r.write(a.data(), a.size());
    EXPECT_EQ(r.read(out.data(), 8, 1), 5u);
    EXPECT_EQ(out[0], 0);
}

// Writes of every small and medium size from every position of the ring, wrapping or not,
// filling it or not, against a plain queue of the bytes.
TEST(SampleRing, WritesOfAnySizeAtAnyPositionMatchAQueue) {
    constexpr size_t kCap = 80;
    for (size_t start = 0; start < kCap; ++start) {
        for (size_t size = 1; size <= 70; ++size) {
            SampleRing r(kCap);
            std::deque<uint8_t> model;
            std::vector<uint8_t> out(kCap);
            // Move the positions to `start` with bytes that are then taken out again.
            const auto pad = counting(start, 200);
            r.write(pad.data(), pad.size());
            r.read(out.data(), start, 1);
            uint8_t next = 0;
            for (int round = 0; round < 3; ++round) {
                const auto a = counting(size, next);
                next = static_cast<uint8_t>(next + size);
                const size_t fits = std::min(size, kCap - model.size());
                model.insert(model.end(), a.begin(), a.begin() + static_cast<long>(fits));
                ASSERT_EQ(r.write(a.data(), a.size()), fits == size) << start << " " << size;
                ASSERT_EQ(r.fill(), model.size());
            }
            ASSERT_EQ(r.read(out.data(), kCap, 1), model.size());
            ASSERT_EQ(
                std::vector<uint8_t>(out.begin(), out.begin() + static_cast<long>(model.size())),
                std::vector<uint8_t>(model.begin(), model.end()))
                << start << " " << size;
        }
    }
}
