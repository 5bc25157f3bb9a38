// Memo lines, the big digits layout rule, the start-up settings file choice and the timing
// conversions.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "graph/timing_choice.h"
#include "settings/big_digits_layout.h"
#include "settings/memo_line.h"
#include "settings/program_settings.h"
#include "settings/startup_config.h"

namespace qtl {
namespace {

namespace fs = std::filesystem;

TEST(MemoLine, FieldsWidthsAndOptionalChannels) {
    struct Case {
        double days, p;
        std::optional<double> a, s;
        const char* line;
    };
    const Case cases[] = {
        {40300.523611, 1.2345, 12.5, std::nullopt, "40300.523611,    1.2345,   12.5000\r\n"},
        {40300.5, -3, std::nullopt, std::nullopt, "40300.500000,   -3.0000\r\n"},
        {1.25, 0, std::nullopt, 7.00006, "    1.250000,    0.0000,    7.0001\r\n"},
        {46000, 1, 2, 3, "46000.000000,    1.0000,    2.0000,    3.0000\r\n"},
        {46000, 123456789.5, std::nullopt, std::nullopt, "46000.000000,123456789.5000\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(memoLine(c.days, c.p, c.a, c.s), c.line);
}

TEST(MemoLine, PointEvenUnderADecimalCommaLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) GTEST_SKIP() << "no French locale";
    const std::string line = memoLine(2.5, 1.5, std::nullopt, std::nullopt);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(line, "    2.500000,    1.5000\r\n");
}

TEST(MemoLine, NonFiniteValuesStayReadable) {
    EXPECT_EQ(memoLine(1, std::nan(""), std::numeric_limits<double>::infinity(), std::nullopt),
              "    1.000000,       Nan,      +Inf\r\n");
}

TEST(MemoLine, PathInTheProgramFolder) {
    EXPECT_EQ(memoFilePath("/opt/qtl"), "/opt/qtl/memo.csv");
    EXPECT_EQ(memoFilePath("/opt/qtl/"), "/opt/qtl/memo.csv");
    EXPECT_EQ(memoFilePath("C:\\qtl\\"), "C:\\qtl/memo.csv");
}

TEST(BigDigitsLayout, ThirdsAndQuarter) {
    struct Case {
        int height, a, s, points;
    };
    const Case cases[] = {{300, 90, 180, 75}, {333, 100, 200, 83}, {15, 4, 9, 3},
                          {25, 8, 15, 6},     {2, 1, 1, 1},        {0, 0, 0, 1}};
    for (const Case& c : cases) {
        const BigDigitsLayout l = bigDigitsLayout(c.height);
        EXPECT_EQ(l.topP, -10);
        EXPECT_EQ(l.topA, c.a) << c.height;
        EXPECT_EQ(l.topS, c.s) << c.height;
        EXPECT_EQ(l.pointSize, c.points) << c.height;
    }
}

class StartupFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() /
            ("qtl-startup-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(StartupFile, LastFichconfigArgumentWinsWhateverItsCase) {
    std::ofstream(folder / "QTL.CFG") << "INTERVALLE=5\r\n";
    EXPECT_EQ(
        startupSettingsFile({"FICHCONFIG=a.cfg", "x", "fichConfig=/b/c.cfg"}, folder.string()),
        "/b/c.cfg");
    EXPECT_EQ(startupSettingsFile({"FICHCONFIG="}, folder.string()), "");
    EXPECT_EQ(startupSettingsFile({"FICHCONFIG"}, folder.string()), (folder / "QTL.CFG").string())
        << "no '=': not the key";
}

TEST_F(StartupFile, QtlCfgOnlyWhenItExists) {
    EXPECT_EQ(startupSettingsFile({"autre=1"}, folder.string()), std::nullopt);
    std::ofstream(folder / "QTL.CFG") << "\r\n";
    EXPECT_EQ(startupSettingsFile({}, folder.string()), (folder / "QTL.CFG").string());
    fs::remove(folder / "QTL.CFG");
    fs::create_directory(folder / "QTL.CFG");
    EXPECT_EQ(startupSettingsFile({}, folder.string()), std::nullopt) << "a folder is no file";
}

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

}  // namespace
}  // namespace qtl
