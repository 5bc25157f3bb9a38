// The acquisition from the main menu to the graph window, offscreen: a timed acquisition of
// the simulation driver drawn point by point until "Stop", and "Stop" between bursts.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAction>
#include <QElapsedTimer>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "graph/memo_file.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/urepere13.h"
#include "settings/input_driver.h"
#include "settings/program_places.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/program_windows.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"

namespace qtl {
namespace {

class AcquisitionWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
        use_ = std::make_unique<ScopedInteraction>(user);
        createProgramWindows();
        ASSERT_TRUE(loadInputDriver(programSettings().channelP, QTL_SIMULATION_DRIVER,
                                    DriverNameSet::Dialog));
    }
    void TearDown() override {
        destroyGraphWindows();
        destroyProgramWindows();
        resetProgramSettings();
        memoFile().close();
        use_.reset();
    }

    TMainForm& form() { return *programWindows().MainForm; }
    QAction* mainAction(const char* text) {
        QAction* a = testkit::findAction(form(), QString::fromUtf8(text));
        EXPECT_NE(a, nullptr) << text;
        return a;
    }
    Trepere* newestWindow() {
        const auto windows = graphWindows();
        return windows.empty() ? nullptr : windows.back();
    }
    // Runs the event loop until `done` or `ms` milliseconds.
    template <typename Done>
    static bool runUntil(Done done, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms) testkit::processEvents();
        return done();
    }
    static void runFor(int ms) {
        runUntil([] { return false; }, ms);
    }

    testkit::ScriptedInteraction user;
    std::unique_ptr<ScopedInteraction> use_;
};

TEST_F(AcquisitionWindow, TimedAcquisitionOfTheSimulationDrawsPointsUntilStop) {
    ProgramSettings& s = programSettings();
    s.intervalUs = 100000;
    s.repeatsPerMeasurement = 10;
    mainAction("mesures = f(temps)")->trigger();
    Trepere* w = newestWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->timedTimerActive());
    EXPECT_FALSE(w->burstTimerActive());
    EXPECT_EQ(w->Timerajoutepoint->interval(), 10);
    EXPECT_EQ(w->Timerajoutepoint->timerType(), Qt::PreciseTimer);

    const DataSeries& p = w->model().points(Channel::P);
    ASSERT_TRUE(runUntil([&] { return p.count() >= 4; }, 30000));
    w->Stop1->trigger();
    const std::size_t kept = p.count();
    runFor(300);
    EXPECT_EQ(p.count(), kept);
    EXPECT_EQ(w->model().line(Channel::P).count(), kept);
    EXPECT_FALSE(w->timedTimerActive());
    // Point k is never earlier than its due time (k − 1) × 100 ms, however loaded the machine.
    for (std::size_t i = 1; i < kept; ++i) {
        EXPECT_GT(p.x(i), p.x(i - 1)) << i;
        EXPECT_GE(p.x(i), 0.1 * double(i) - 1e-9) << i;
        EXPECT_TRUE(std::isfinite(p.y(i)));
    }
}

TEST_F(AcquisitionWindow, StopIsTakenBetweenBursts) {
    ProgramSettings& s = programSettings();
    s.maxMeasurements = 200;
    mainAction("prestissimo")->trigger();
    Trepere* w = newestWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->burstTimerActive());
    EXPECT_FALSE(w->timedTimerActive());
    EXPECT_TRUE(w->acquisition().fastBurst);
    ASSERT_TRUE(runUntil([&] { return w->model().points(Channel::P).count() == 199; }, 30000));
    w->Stop1->trigger();
    EXPECT_FALSE(w->burstTimerActive());
}

TEST_F(AcquisitionWindow, AMemoFileThatCannotBeCreatedIsReportedAndTheWindowNotShown) {
    // An installed program whose data folder lies under a plain file.
    const std::string saved = programPlaces().programFolder;
    const auto blocker =
        std::filesystem::temp_directory_path() / ("qtl_blocker_" + std::to_string(::getpid()));
    std::ofstream(blocker) << "x";
    ::setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    setProgramFolder("/nonexistent/qtl/bin");
    programSettings().memoFileOn = true;
    mainAction("mesures = f(temps)")->trigger();
    ::unsetenv("XDG_DATA_HOME");
    setProgramFolder(saved);
    std::filesystem::remove(blocker);
    ASSERT_EQ(user.messages().size(), 1);
    EXPECT_TRUE(user.messages()[0].contains(QStringLiteral("memo.csv")))
        << user.messages()[0].toStdString();
    EXPECT_TRUE(graphWindows().empty());
    EXPECT_FALSE(memoFile().isOpen());
}

}  // namespace
}  // namespace qtl
