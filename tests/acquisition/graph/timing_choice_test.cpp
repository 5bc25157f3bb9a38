// The timing dialog's choice in the settings record, and the bounds the core keeps.
#include "graph/timing_choice.h"

#include <gtest/gtest.h>

#include <limits>

namespace qtl {
namespace {

TEST(TimingChoice, IntervalUnits) {
    EXPECT_EQ(intervalMicroseconds(2, IntervalUnit::Seconds), 2000000);
    EXPECT_EQ(intervalMicroseconds(5, IntervalUnit::Microseconds), 5);
    EXPECT_EQ(intervalMicroseconds(40, IntervalUnit::Milliseconds), 40000);
    EXPECT_EQ(intervalMicroseconds(2000, IntervalUnit::Seconds), 2000000000);
}

TEST(TimingChoice, AppliesEveryFieldAndOnlyThose) {
    ProgramSettings s;
    const ProgramSettings before = s;
    applyTimingChoice({3, IntervalUnit::Seconds, 3000, 1000, 100, true, 10000}, s);
    EXPECT_EQ(s.intervalUs, 3000000);
    EXPECT_EQ(s.maxMeasurements, 3000);
    EXPECT_EQ(s.oscilloThresholdMs, 1000);
    EXPECT_EQ(s.repeatsPerMeasurement, 100);
    EXPECT_TRUE(s.timeAsDate);
    EXPECT_EQ(s.statusRefreshMs, 10000);
    EXPECT_EQ(s.displayDigits, before.displayDigits);
    EXPECT_EQ(s.rawConverterMode, before.rawConverterMode);
}

TEST(TimingChoice, ValuesOutsideTheirBoundsAreClamped) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    struct Case {
        std::int32_t value;
        IntervalUnit unit;
        std::int32_t us;
    };
    // Without the clamp, 2001 s and more overflow the signed 32-bit product.
    const Case cases[] = {
        {2001, IntervalUnit::Seconds, 2'000'000'000},  {kMax, IntervalUnit::Seconds, 2'000'000'000},
        {kMax, IntervalUnit::Milliseconds, 2'000'000}, {kMax, IntervalUnit::Microseconds, 2000},
        {0, IntervalUnit::Seconds, 1'000'000},         {kMin, IntervalUnit::Milliseconds, 1000},
        {-5, IntervalUnit::Microseconds, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(intervalMicroseconds(c.value, c.unit), c.us) << c.value;

    ProgramSettings s;
    applyTimingChoice({kMax, IntervalUnit::Seconds, 70000, 0, 0, false, 0}, s);
    EXPECT_EQ(s.intervalUs, 2'000'000'000);
    EXPECT_EQ(s.maxMeasurements, 3000) << "not 70000 cut to 16 bits";
    EXPECT_EQ(s.oscilloThresholdMs, 1);
    EXPECT_EQ(s.repeatsPerMeasurement, 1) << "a divisor further on";
    EXPECT_EQ(s.statusRefreshMs, 100);
    applyTimingChoice({1, IntervalUnit::Seconds, 2, 5000, 101, false, 70000}, s);
    EXPECT_EQ(s.maxMeasurements, 3);
    EXPECT_EQ(s.oscilloThresholdMs, 1000);
    EXPECT_EQ(s.repeatsPerMeasurement, 100);
    EXPECT_EQ(s.statusRefreshMs, 10000) << "not 70000 cut to 16 bits";
}

TEST(TimingChoice, ReadoutPeriodNeverZero) {
    ProgramSettings s;
    for (const auto& [stored, period] : {std::pair{250, 250}, {0, 1000}, {20000, 20000}}) {
        s.statusRefreshMs = static_cast<std::uint16_t>(stored);
        EXPECT_EQ(readoutPeriodMs(s), period) << stored;
    }
}

}  // namespace
}  // namespace qtl
