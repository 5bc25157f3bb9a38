// The timed regime over a hand-driven clock and scripted drivers: due points and means, the
// limits, the channels, the memo lines, the variable output and the formula errors.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include <unistd.h>

#include "engine_test_support.h"

namespace qtl::enginetest {
namespace {

class TimedAcquisition : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        useScriptedDrivers(false, false);
        // P reads 1, 2, 3, ...: a point's value tells which readings it averaged.
        script.realFn = [](std::int32_t input) { return double(script.realCalls[input]); };
    }
};

TEST_F(TimedAcquisition, TenReadingsPerPointOnePointPerSecondTheFirstAtTheFirstStep) {
    s.intervalUs = 1000000;
    s.repeatsPerMeasurement = 10;
    createTimedWindow();
    steps(31, 100);  // 0 ms .. 3000 ms
    EXPECT_EQ(xs(Channel::P), (std::vector<double>{0.0, 1.0, 2.0, 3.0}));
    // 1 alone, then the means of readings 2..11, 12..21, 22..31.
    EXPECT_EQ(ys(Channel::P), (std::vector<double>{1.0, 6.5, 16.5, 26.5}));
    EXPECT_EQ(ys(Channel::P), std::vector<double>(graph.line(Channel::P).ys().begin(),
                                                  graph.line(Channel::P).ys().end()));
    EXPECT_EQ(state.timed.pointCounter, 4);
    EXPECT_EQ(host.redraws, 4);
}

TEST_F(TimedAcquisition, NothingIsReadPastTheLimitWhileStoppedOrWithoutAcquisitionRunning) {
    struct Case {
        const char* name;
        bool running;
        bool timerOn;
        std::uint16_t limit;
        std::size_t points;
        int readings;
    };
    const Case cases[] = {
        {"limit of 3", true, true, 3, 3, 21},
        {"acquisitionRunning off", false, true, 100, 0, 0},
        {"timer stopped", true, false, 100, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        graph.clearAllSeries();
        script.realCalls[0] = 0;
        s.maxMeasurements = c.limit;
        s.acquisitionRunning = c.running;
        createTimedWindow();
        state.timed.pointCounter = 0;
        host.timed = c.timerOn;
        steps(60, 100);
        EXPECT_EQ(graph.points(Channel::P).count(), c.points);
        EXPECT_EQ(script.realCalls[0], c.readings);
    }
}

TEST_F(TimedAcquisition, InactiveChannelsGiveZeroToTheFormulasAndKeepTheirSeriesEmpty) {
    useScriptedDrivers(false, true);
    script.realFn = nullptr;
    script.real[0] = 2;
    script.real[1] = 50;  // A is not read: its value must not reach the formulas
    script.real[2] = 3;
    formula(s.channelP, "P+10*A+100*S");
    formula(s.channelS, "S*1000+A");
    createTimedWindow();
    step();
    EXPECT_EQ(ys(Channel::P), std::vector<double>{302});
    EXPECT_TRUE(graph.points(Channel::A).empty());
    EXPECT_TRUE(graph.line(Channel::A).empty());
    EXPECT_EQ(ys(Channel::S), std::vector<double>{3000});
    EXPECT_EQ(script.realCalls[1], 0);
}

TEST_F(TimedAcquisition, TimeAsDateStampsTheDateWhileFormulasGetSeconds) {
    s.timeAsDate = true;
    clock.setDays(45000.25);
    formula(s.channelP, "T");
    createTimedWindow();
    clock.advanceMs(2000);
    step();
    EXPECT_EQ(xs(Channel::P), std::vector<double>{45000.25});
    EXPECT_EQ(ys(Channel::P), std::vector<double>{2.0});
}

TEST_F(TimedAcquisition, RawModeAveragesTheIntegerReadings) {
    s.rawConverterMode = true;
    s.intervalUs = 200000;
    script.raw[0] = 512;
    variableOutput("P+1");
    createTimedWindow();
    steps(3, 100);
    EXPECT_EQ(script.realCalls[0], 0);
    EXPECT_EQ(script.rawCalls[0], 3);
    EXPECT_EQ(ys(Channel::P), (std::vector<double>{512, 512}));
    // No fresh converted readings for the output in raw mode: only the recorded points.
    EXPECT_EQ(script.sent, (std::vector<double>{513, 513}));
}

TEST_F(TimedAcquisition, VariableOutputFollowsFreshReadingsThenTheAveragedPoint) {
    s.intervalUs = 300000;
    s.repeatsPerMeasurement = 3;
    variableOutput("2*P+T");
    createTimedWindow();
    steps(4, 100);  // point 1 at 0 ms, point 2 at 300 ms
    // Each step: a fresh reading (P call 2k) for the output; each point: the mean of the
    // accumulated readings (odd calls) and its time.
    const std::vector<double> expected = {2 * 2 + 0.0, 2 * 1 + 0.0, 2 * 4 + 0.1,
                                          2 * 6 + 0.2, 2 * 8 + 0.3, 2 * 5 + 0.3};
    ASSERT_EQ(script.sent.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(script.sent[i], expected[i], 1e-9) << i;
    }
}

TEST_F(TimedAcquisition, FormulaErrorStopsThisWindowAndKeepsItsPoints) {
    s.intervalUs = 100000;
    s.repeatsPerMeasurement = 1;
    formula(s.channelP, "1/(P-3)");
    host.burst = true;
    createTimedWindow();
    steps(2, 100);
    ASSERT_EQ(graph.points(Channel::P).count(), 2u);
    clock.advanceMs(100);
    EXPECT_THROW(step(), FormulaFatalError);  // P = 3
    EXPECT_FALSE(host.timed);
    EXPECT_FALSE(host.burst);
    EXPECT_EQ(graph.points(Channel::P).count(), 2u);
    EXPECT_EQ(graph.line(Channel::P).count(), 2u);
    EXPECT_TRUE(s.acquisitionRunning);
    EXPECT_NO_THROW(steps(3, 100));  // stopped: nothing more happens
    EXPECT_EQ(graph.points(Channel::P).count(), 2u);
}

TEST_F(TimedAcquisition, NonFiniteReadingsAreKeptThroughTheIdentityFormula) {
    script.realFn = [](std::int32_t) { return std::numeric_limits<double>::quiet_NaN(); };
    createTimedWindow();
    step();
    ASSERT_EQ(graph.points(Channel::P).count(), 1u);
    EXPECT_TRUE(std::isnan(graph.points(Channel::P).y(0)));
}

class MemoLines : public TimedAcquisition {
  protected:
    void SetUp() override {
        TimedAcquisition::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("qtl_memo_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        path = (dir / "sub" / "memo.csv").string();
    }
    void TearDown() override {
        TimedAcquisition::TearDown();
        std::filesystem::remove_all(dir);
    }
    static std::string contents(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::filesystem::path dir;
    std::string path;
};

TEST_F(MemoLines, OneFlushedLinePerPointWithTheMeasuredChannels) {
    useScriptedDrivers(true, false);
    script.realFn = nullptr;
    script.real[0] = 1.2345;
    script.real[1] = 12.5;
    s.memoFileOn = true;
    clock.setDays(40300.523611);
    memo.create(path);
    createTimedWindow();
    steps(11, 100);
    EXPECT_EQ(contents(path),
              "40300.523611,    1.2345,   12.5000\r\n"
              "40300.523611,    1.2345,   12.5000\r\n");
}

TEST_F(MemoLines, WrittenOnlyWhileTheOptionIsOnAndAFileIsOpen) {
    script.realFn = nullptr;
    s.memoFileOn = true;  // switched on during a run: no file yet, nothing written
    createTimedWindow();
    EXPECT_NO_THROW(step());
    memo.create(path);
    s.memoFileOn = false;
    clock.advanceMs(1000);
    step();
    EXPECT_EQ(contents(path), "");
    s.memoFileOn = true;
    clock.advanceMs(1000);
    step();
    EXPECT_EQ(contents(path), "    0.000000,    0.0000\r\n");
}

TEST_F(MemoLines, AWriteErrorIsReportedOnceTheStepCompletesAndAcquisitionGoesOn) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    s.memoFileOn = true;
    variableOutput("P");
    memo.create("/dev/full");
    createTimedWindow();
    EXPECT_THROW(step(), MemoFileError);
    EXPECT_FALSE(memo.isOpen());
    EXPECT_EQ(graph.points(Channel::P).count(), 1u);
    EXPECT_EQ(state.timed.readingCounter, 0);  // the step completed
    EXPECT_EQ(script.sent.size(), 2u);         // fresh reading, then the point
    EXPECT_TRUE(host.timed);
    clock.advanceMs(1000);
    EXPECT_NO_THROW(step());
    EXPECT_EQ(graph.points(Channel::P).count(), 2u);
}

}  // namespace
}  // namespace qtl::enginetest
