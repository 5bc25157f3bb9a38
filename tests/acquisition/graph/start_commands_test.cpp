// The start commands: regime choice, flags, the timers of the new window, the one memo file,
// and which later windows start acquiring by themselves.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "engine_test_support.h"
#include "graph/graph_setup.h"
#include "graph/start_commands.h"

namespace qtl::enginetest {
namespace {

class StartCommands : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("qtl_start_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        path = (dir / "memo.csv").string();
    }
    void TearDown() override {
        EngineTest::TearDown();
        std::filesystem::remove_all(dir);
    }
    static std::size_t openFiles() {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
            ++n;
        return n;
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

TEST_F(StartCommands, TimedCommandChoosesTheRegimeByTheThreshold) {
    struct Case {
        std::int32_t intervalUs;
        bool timed;
    };
    // 50 ms is not below the 50 ms threshold; 49.999 ms is.
    const Case cases[] = {{50000, true}, {49999, false}, {1000000, true}, {20, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.intervalUs);
        s.intervalUs = c.intervalUs;
        s.acquisitionRunning = false;
        state.fastBurst = true;
        host = FakeHost{};
        host.timed = !c.timed;  // the window's creation may have started the other timer
        startTimedAcquisition(s, state, host, memo, path);
        EXPECT_EQ(regimeFor(s) == AcquisitionRegime::Timed, c.timed);
        EXPECT_EQ(host.timed, c.timed);
        EXPECT_EQ(host.burst, !c.timed);
        EXPECT_EQ(s.pointTimerMode, c.timed);
        EXPECT_TRUE(s.acquisitionRunning);
        EXPECT_FALSE(state.fastBurst);
    }
}

TEST_F(StartCommands, PrestissimoAlwaysBurstsFastAndNeverOpensTheMemoFile) {
    s.intervalUs = 5000000;
    s.memoFileOn = true;
    host.timed = true;
    startFastAcquisition(s, state, host);
    EXPECT_FALSE(host.timed);
    EXPECT_TRUE(host.burst);
    EXPECT_FALSE(s.pointTimerMode);
    EXPECT_TRUE(state.fastBurst);
    EXPECT_FALSE(memo.isOpen());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(StartCommands, OnlyATimedExperimentMakesLaterWindowsStartByThemselves) {
    s.intervalUs = 1000000;
    startTimedAcquisition(s, state, host, memo, path);
    EXPECT_TRUE(timedTimerSetup(s).enabled);  // "&Nouveau" or "point par point" now
    startFastAcquisition(s, state, host);
    EXPECT_FALSE(timedTimerSetup(s).enabled);
    startTimedAcquisition(s, state, host, memo, path);
    s.pointTimerMode = false;  // what "&Ouvrir" does
    EXPECT_FALSE(timedTimerSetup(s).enabled);
}

TEST_F(StartCommands, OneMemoFileRecreatedEmptyByEachTimedStartWithoutLeakingHandles) {
    useScriptedDrivers(false, false);
    s.memoFileOn = true;
    script.real[0] = 1;
    startTimedAcquisition(s, state, host, memo, path);
    createTimedWindow();
    step();
    ASSERT_EQ(contents(path), "    0.000000,    1.0000\r\n");

    // A second experiment empties the file; the first window's lines go to the new file.
    const std::size_t before = openFiles();
    AcquisitionState secondState;
    FakeHost secondHost;
    startTimedAcquisition(s, secondState, secondHost, memo, path);
    EXPECT_EQ(openFiles(), before);
    EXPECT_EQ(contents(path), "");
    script.real[0] = 2;
    clock.advanceMs(1000);
    step();
    EXPECT_EQ(contents(path), "    0.000000,    2.0000\r\n");
}

TEST_F(StartCommands, AMemoFileThatCannotBeCreatedStopsTheNewWindow) {
    s.memoFileOn = true;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "file") << "x";
    host.timed = true;  // started by the window's creation
    try {
        startTimedAcquisition(s, state, host, memo, (dir / "file" / "memo.csv").string());
        FAIL() << "no error";
    } catch (const MemoFileError& e) {
        EXPECT_NE(std::string(e.what()).find("memo.csv"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(host.timed);
    EXPECT_FALSE(host.burst);
    EXPECT_FALSE(memo.isOpen());
}

}  // namespace
}  // namespace qtl::enginetest
