// The burst regime over a hand-driven clock whose readings cost time: time units, dropped first
// sample, means, the fast burst's spacing, raw mode, the 1200 limit and the timer's restart.
#include <cmath>

#include "engine_test_support.h"
#include "graph/burst.h"

namespace qtl::enginetest {
namespace {

class Burst : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        useScriptedDrivers(false, false);
        script.costUs = 1;  // each reading takes one microsecond
        host.burst = true;
    }
};

TEST_F(Burst, TimeUnitsFollowIntervalAndLength) {
    struct Case {
        std::int32_t intervalUs;
        std::uint16_t n;
        double lastX;  // sample n, measured from sample 1, in the burst's unit
        double tolerance;
    };
    const Case cases[] = {
        {20, 200, 199 * 20.0, 2.0},              // 4000 µs in all: microseconds
        {20, 1000, 999 * 20 / 1000.0, 0.002},    // 20 000 µs: milliseconds
        {200, 10, 9 * 200 / 1000.0, 0.002},      // interval of 100 µs or more: milliseconds
        {200000, 4, 3 * 200000 / 1e6, 0.000002}  // above 100 000 µs: seconds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.intervalUs);
        s.intervalUs = c.intervalUs;
        s.maxMeasurements = c.n;
        script.costUs = c.intervalUs >= 1000 ? 50 : 1;
        burst();
        ASSERT_EQ(graph.points(Channel::P).count(), c.n - 1u);
        EXPECT_NEAR(graph.points(Channel::P).x(c.n - 2u), c.lastX, c.tolerance);
        // The first drawn point is sample 2, about one interval after sample 1.
        EXPECT_NEAR(graph.points(Channel::P).x(0), c.lastX / (c.n - 1), c.tolerance);
    }
}

TEST_F(Burst, EachSampleIsTheMeanOfItsOversampledReadings) {
    s.intervalUs = 100;
    s.maxMeasurements = 5;
    script.realFn = [](std::int32_t) { return double(script.realCalls[0] % 2); };  // 1, 0, 1...
    formula(s.channelP, "P*10+T");
    burst();
    ASSERT_EQ(graph.points(Channel::P).count(), 4u);
    EXPECT_EQ(graph.line(Channel::P).count(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        // About 100 readings per sample alternate 1 and 0: the mean is close to 0.5; the
        // formula received the time in milliseconds.
        const double x = graph.points(Channel::P).x(i);
        EXPECT_NEAR(graph.points(Channel::P).y(i) - x, 5.0, 0.1) << i;
        EXPECT_NEAR(x, 0.1 * double(i + 1), 0.002);
    }
    EXPECT_GT(state.burst.count[1], 90u);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(host.redraws, 1);
}

TEST_F(Burst, FastBurstSpreadsItsTimesEvenlyAndDropsSampleOne) {
    state.fastBurst = true;
    s.maxMeasurements = 100;
    s.intervalUs = 1000;  // not used by the fast burst
    script.costUs = 3;
    burst();
    EXPECT_EQ(script.realCalls[0], 100);
    const auto& p = graph.points(Channel::P);
    ASSERT_EQ(p.count(), 99u);
    // Two clock readings around 100 readings of 3 µs: (t2 − t1) / n = 3 µs per sample.
    EXPECT_DOUBLE_EQ(p.x(0), 2 * 3.0);
    for (std::size_t i = 1; i < p.count(); ++i) EXPECT_DOUBLE_EQ(p.x(i) - p.x(i - 1), 3.0);
}

TEST_F(Burst, InactiveAGivesZeroAndAnEmptySeriesInBothBursts) {
    useScriptedDrivers(false, true);
    script.real[0] = 1;
    script.real[1] = 7;
    script.real[2] = 2;
    formula(s.channelP, "P+10*A");
    formula(s.channelS, "S+10*A");
    s.intervalUs = 100;
    s.maxMeasurements = 3;
    for (bool fast : {false, true}) {
        SCOPED_TRACE(fast);
        state.fastBurst = fast;
        burst();
        EXPECT_EQ(script.realCalls[1], 0);
        EXPECT_TRUE(graph.points(Channel::A).empty());
        EXPECT_EQ(ys(Channel::P), (std::vector<double>{1, 1}));
        EXPECT_EQ(ys(Channel::S), (std::vector<double>{2, 2}));
    }
}

TEST_F(Burst, RawModeReadsIntegersInBothBurstsWithIntegerMilliseconds) {
    s.rawConverterMode = true;
    script.raw[0] = 1023;
    s.intervalUs = 200000;  // seconds in converted mode; integer milliseconds in raw mode
    s.maxMeasurements = 3;
    script.costUs = 777;
    burst();
    EXPECT_EQ(script.realCalls[0], 0);
    EXPECT_EQ(ys(Channel::P), (std::vector<double>{1023, 1023}));
    for (double x : xs(Channel::P)) EXPECT_EQ(x, std::floor(x));
    EXPECT_NEAR(graph.points(Channel::P).x(1), 400, 1);

    state.fastBurst = true;
    script.raw[0] = -5;
    burst();
    EXPECT_EQ(script.realCalls[0], 0);
    EXPECT_EQ(ys(Channel::P), (std::vector<double>{-5, -5}));
}

TEST_F(Burst, AtMost1200SamplesWhileTheTimedLimitKeepsTheFullCount) {
    s.maxMeasurements = 3000;
    EXPECT_EQ(burstSampleCount(s), 1200u);
    state.fastBurst = true;
    burst();
    EXPECT_EQ(script.realCalls[0], 1200);
    EXPECT_EQ(graph.points(Channel::P).count(), 1199u);
    EXPECT_EQ(state.timed.pointLimit, 1200);
    EXPECT_EQ(state.timed.pointCounter, 0);
}

TEST_F(Burst, VariableOutputGetsFreshReadingsAfterEachSample) {
    s.intervalUs = 100;
    s.maxMeasurements = 4;
    script.real[0] = 3;
    variableOutput("P+T*1000");  // T in seconds
    burst();
    ASSERT_EQ(script.sent.size(), 4u);
    for (std::size_t j = 0; j < 4; ++j) EXPECT_NEAR(script.sent[j], 3 + 0.1 * (j + 1), 0.01);
}

TEST_F(Burst, FormulaErrorKeepsThePreviousBlockAndStopsTheWindow) {
    s.intervalUs = 100;
    s.maxMeasurements = 4;
    script.real[0] = 1;
    formula(s.channelP, "1/(P-2)");
    burst();
    ASSERT_EQ(graph.points(Channel::P).count(), 3u);
    host.timed = true;
    script.real[0] = 2;
    EXPECT_THROW(burst(), FormulaFatalError);
    EXPECT_FALSE(host.burst);
    EXPECT_FALSE(host.timed);
    EXPECT_EQ(ys(Channel::P), (std::vector<double>{-1, -1, -1}));
}

TEST_F(Burst, TheTimerRestartsAfterEachBurstAndStopEndsARunOfLongBursts) {
    // A normal burst of 1200 samples at 40 ms: 48 s, far longer than the timer's second.
    s.intervalUs = 40000;
    s.maxMeasurements = 1200;
    script.costUs = 5000;
    int bursts = 0;
    // The event loop: a burst whenever the timer runs; the user's "Stop" after the second.
    while (host.burstTimerActive() && bursts < 10) {
        const int startsBefore = host.burstStarts;
        burst();
        ++bursts;
        EXPECT_EQ(host.burstStarts, startsBefore + 1) << "restarted after the burst";
        if (bursts == 2) stopAcquisition(host);
    }
    EXPECT_EQ(bursts, 2);
    EXPECT_NEAR(graph.points(Channel::P).x(1198), 47960, 10);  // ms
    // A stopped timer is not restarted by a burst event already on its way.
    burst();
    EXPECT_FALSE(host.burstTimerActive());
}

}  // namespace
}  // namespace qtl::enginetest
