// Time bases through the clock seam, driven by hand.
#include <gtest/gtest.h>

#include "settings/clock.h"
#include "settings/manual_clock.h"

namespace qtl {
namespace {

class ClockTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = cyclesPerMicrosecond(); }
    void TearDown() override { setCyclesPerMicrosecond(saved_); }
    std::int32_t saved_ = 0;
};

TEST_F(ClockTest, ElapsedSecondsIsTheTickInSeconds) {
    ManualClock clock;
    ScopedClock use(clock);
    clock.advanceMs(2500);
    EXPECT_DOUBLE_EQ(elapsedSeconds(), 2.5);
    clock.advanceUs(999);  // below one tick
    EXPECT_DOUBLE_EQ(elapsedSeconds(), 2.5);
}

TEST_F(ClockTest, MicrosecondClockDividesTheCycleCounter) {
    ManualClock clock(735);
    ScopedClock use(clock);
    setCyclesPerMicrosecond(735);
    clock.setNowUs(1234567);
    EXPECT_EQ(microsecondClock(), 1234567u);
    setCyclesPerMicrosecond(1470);  // a wrong calibration halves the reading
    EXPECT_EQ(microsecondClock(), 617283u);
}

TEST_F(ClockTest, CalibrationCountsOneSecondOfTicks) {
    ManualClock clock(2400);  // a 2.4 GHz counter
    clock.setStepPerReadUs(250);
    ScopedClock use(clock);
    calibrateMicrosecondClock();
    // The wait stops at the first tick reading at least 1000 ms on; the counter is read one
    // step later, so the count may exceed one second by a step or two.
    EXPECT_GE(cyclesPerMicrosecond(), 2400);
    EXPECT_LE(cyclesPerMicrosecond(), 2401);
    clock.setStepPerReadUs(0);
    clock.setNowUs(5000000);
    EXPECT_EQ(microsecondClock(), 5000000u);
}

TEST_F(ClockTest, SlowCounterNeverGivesZeroCyclesPerMicrosecond) {
    // A counter slower than 1 MHz would calibrate to 0 and divide by zero afterwards.
    ManualClock clock(0);
    clock.setStepPerReadUs(1000);
    ScopedClock use(clock);
    calibrateMicrosecondClock();
    EXPECT_EQ(cyclesPerMicrosecond(), 1);
    EXPECT_NO_FATAL_FAILURE(microsecondClock());
    setCyclesPerMicrosecond(-5);
    EXPECT_EQ(cyclesPerMicrosecond(), 1);
}

TEST_F(ClockTest, DateTimeCountsDaysFrom30December1899) {
    struct Case {
        int y, mo, d, h, mi;
        double s;
        double days;
    } const cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0},     {1899, 12, 31, 0, 0, 0, 1.0},
        {1900, 1, 1, 0, 0, 0, 2.0},       {1900, 3, 1, 0, 0, 0, 61.0},
        {2000, 1, 1, 0, 0, 0, 36526.0},   {2000, 1, 1, 12, 0, 0, 36526.5},
        {2024, 2, 29, 6, 0, 0, 45351.25}, {1899, 12, 29, 0, 0, 0, -1.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(dateTimeToDays(c.y, c.mo, c.d, c.h, c.mi, c.s), c.days) << c.y;
}

TEST_F(ClockTest, CurrentDateTimeComesFromTheInstalledClock) {
    ManualClock clock;
    clock.setDays(45000.75);
    {
        ScopedClock use(clock);
        EXPECT_DOUBLE_EQ(currentDateTime(), 45000.75);
    }
    // Back on the system clock: some day after 2020.
    EXPECT_GT(currentDateTime(), 43831.0);
}

TEST_F(ClockTest, SystemClockMovesForward) {
    Clock& clock = systemClock();
    const auto t0 = clock.tickMs();
    const auto c0 = clock.cycleCounter();
    const auto t1 = clock.tickMs();
    const auto c1 = clock.cycleCounter();
    EXPECT_GE(t1, t0);
    EXPECT_GT(c1, c0);
}

}  // namespace
}  // namespace qtl
