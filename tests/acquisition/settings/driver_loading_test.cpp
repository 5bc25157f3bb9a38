// Loading real driver libraries built by the test build, through both name sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "settings/dynamic_library.h"
#include "settings/input_driver.h"
#include "settings/output_driver.h"
#include "settings/program_settings.h"

namespace qtl {
namespace {

namespace fs = std::filesystem;

class DriverLoading : public ::testing::Test {
  protected:
    void SetUp() override { resetProgramSettings(); }
    void TearDown() override { resetProgramSettings(); }
    ChannelSettings channel = ChannelSettings::defaults('P');
};

TEST_F(DriverLoading, CompleteDriverFromTheDialog) {
    EXPECT_TRUE(loadInputDriver(channel, QTL_TEST_DRIVER_COMPLETE, DriverNameSet::Dialog));
    EXPECT_TRUE(channel.active);
    EXPECT_EQ(channel.driverFile, QTL_TEST_DRIVER_COMPLETE);
    EXPECT_EQ(driverDescription(channel.driver), "pilote d'essai éprouvé");
    EXPECT_EQ(listInputNames(channel.driver), (std::vector<std::string>{"EA0", "EA1"}));
    EXPECT_NE(channel.driver.inputCount, nullptr);
    channel.inputIndex = 1;
    EXPECT_EQ(readEa(channel), 101);
    EXPECT_DOUBLE_EQ(readEad(channel), 2.5);
}

TEST_F(DriverLoading, SettingsFileNamesReachTheOtherExports) {
    EXPECT_TRUE(loadInputDriver(channel, QTL_TEST_DRIVER_COMPLETE, DriverNameSet::SettingsFile));
    channel.inputIndex = 1;
    EXPECT_EQ(readEa(channel), 201);
    EXPECT_DOUBLE_EQ(readEad(channel), 3.5);
    EXPECT_EQ(listInputNames(channel.driver).size(), 2u);
}

TEST_F(DriverLoading, NameTablesInLookupOrder) {
    const auto& dialog = inputDriverNames(DriverNameSet::Dialog);
    const auto& file = inputDriverNames(DriverNameSet::SettingsFile);
    const char* const d[] = {"stddetail", "stdnea", "stdea", "stdnead", "stdead", "stdcalibration"};
    const char* const f[] = {"detail", "NEA", "EA", "NEAD", "EAD", "calibration"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(dialog[i], d[i]);
        EXPECT_EQ(file[i], f[i]);
    }
}

TEST_F(DriverLoading, OutputNameTablesInLookupOrder) {
    // Non-empty names only: a slot that a set does not fill is never looked up.
    const auto named = [](const auto& table) {
        std::vector<std::string> out;
        for (const auto name : table) {
            if (!name.empty()) out.emplace_back(name);
        }
        return out;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(named(logicOutputDriverNames(DriverNameSet::SettingsFile)),
              (Names{"detail", "NSB", "SB", "RSB"}));
    EXPECT_EQ(named(logicOutputDriverNames(DriverNameSet::Dialog)),
              (Names{"stddetail", "stdnsb", "stdsb"}));
    EXPECT_EQ(named(analogOutputDriverNames(DriverNameSet::SettingsFile)),
              (Names{"detail", "NSA", "NSAD", "SA", "SAD", "RSA", "RSAD"}));
    EXPECT_EQ(named(analogOutputDriverNames(DriverNameSet::Dialog)),
              (Names{"stddetail", "stdtitre", "stdnsad", "stdsad", "stdcalibration"}));
    // The variable output's dialog and settings-file names share their slots.
    const auto& file = analogOutputDriverNames(DriverNameSet::SettingsFile);
    const auto& dialog = analogOutputDriverNames(DriverNameSet::Dialog);
    for (const auto& [f, d] : {std::pair{"detail", "stddetail"}, std::pair{"NSA", "stdnsad"},
                               std::pair{"SAD", "stdsad"}}) {
        const auto slot = std::find(file.begin(), file.end(), f) - file.begin();
        EXPECT_EQ(dialog[static_cast<std::size_t>(slot)], d) << f;
    }
}

TEST_F(DriverLoading, CalibrationPassesBackTheLastAnswer) {
    loadInputDriver(channel, QTL_TEST_DRIVER_COMPLETE, DriverNameSet::Dialog);
    EXPECT_TRUE(calibrateChannel(channel));
    EXPECT_EQ(channel.calibrationText, "+");
    EXPECT_TRUE(calibrateChannel(channel));
    EXPECT_EQ(channel.calibrationText, "++");
    // Texts cross the boundary in Windows-1252 and come back in UTF-8.
    channel.calibrationText = "réglé";
    calibrateChannel(channel);
    EXPECT_EQ(channel.calibrationText, "réglé+");
}

TEST_F(DriverLoading, MissingConvertedReadingLeavesTheChannelInactive) {
    EXPECT_FALSE(loadInputDriver(channel, QTL_TEST_DRIVER_NO_EAD, DriverNameSet::Dialog));
    EXPECT_FALSE(channel.active);
    EXPECT_EQ(channel.driverFile, QTL_TEST_DRIVER_NO_EAD);
    EXPECT_DOUBLE_EQ(readEad(channel), 777.0);
    // The raw reading is there, and the wrappers do not look at `active`.
    EXPECT_EQ(readEa(channel), 100);
}

TEST_F(DriverLoading, MissingDescriptionMeansNoDriverForTheWrappers) {
    EXPECT_TRUE(loadInputDriver(channel, QTL_TEST_DRIVER_NO_DETAIL, DriverNameSet::Dialog));
    EXPECT_EQ(driverDescription(channel.driver), "");
    EXPECT_EQ(readEa(channel), NO_DRIVER_VALUE);
    EXPECT_DOUBLE_EQ(readEad(channel), 777.0);
    EXPECT_EQ(listInputNames(channel.driver).size(), 2u);
}

TEST_F(DriverLoading, SingleCharacterFirstNameListsNothing) {
    EXPECT_TRUE(loadInputDriver(channel, QTL_TEST_DRIVER_SINGLE_CHAR, DriverNameSet::Dialog));
    EXPECT_TRUE(listInputNames(channel.driver).empty());
}

TEST_F(DriverLoading, NullTextsReadAsEmpty) {
    EXPECT_TRUE(loadInputDriver(channel, QTL_TEST_DRIVER_NULL_TEXT, DriverNameSet::Dialog));
    EXPECT_EQ(driverDescription(channel.driver), "");
    EXPECT_TRUE(listInputNames(channel.driver).empty());
    channel.calibrationText = "before";
    EXPECT_TRUE(calibrateChannel(channel));
    EXPECT_EQ(channel.calibrationText, "");
}

TEST_F(DriverLoading, EndlessListStopsAt1024Names) {
    EXPECT_TRUE(loadInputDriver(channel, QTL_TEST_DRIVER_ENDLESS, DriverNameSet::Dialog));
    const auto names = listInputNames(channel.driver);
    EXPECT_EQ(names.size(), kMaxDriverListNames);
    const auto calls = findEntryPoint<qtl_pilote_count_fn>(loadLibrary(QTL_TEST_DRIVER_ENDLESS),
                                                           "test_name_calls");
    ASSERT_NE(calls, nullptr);
    EXPECT_EQ(calls(), 1024);  // no name asked past the bound
}

TEST_F(DriverLoading, ListRulesByMinimumLength) {
    loadInputDriver(channel, QTL_TEST_DRIVER_SINGLE_CHAR, DriverNameSet::Dialog);
    // With a one-character minimum only an empty text ends the list.
    EXPECT_EQ(listDriverNames(channel.driver.inputName, 1).size(), kMaxDriverListNames);
    EXPECT_TRUE(listDriverNames(nullptr, 1).empty());
}

TEST_F(DriverLoading, LibraryThatDoesNotLoadReplacesThePreviousDriver) {
    loadInputDriver(channel, QTL_TEST_DRIVER_COMPLETE, DriverNameSet::Dialog);
    channel.calibrationText = "kept";
    const std::string missing = "/nonexistent/folder/pilote.so";
    EXPECT_FALSE(loadInputDriver(channel, missing, DriverNameSet::Dialog));
    EXPECT_EQ(channel.driverFile, missing);
    EXPECT_EQ(channel.driver, DriverEntryPoints{});
    EXPECT_FALSE(channel.active);
    EXPECT_EQ(readEa(channel), 777);
    EXPECT_DOUBLE_EQ(readEad(channel), 777.0);
    EXPECT_FALSE(calibrateChannel(channel));
    EXPECT_EQ(channel.calibrationText, "kept");
    EXPECT_FALSE(loadInputDriver(channel, "", DriverNameSet::Dialog));
}

TEST_F(DriverLoading, LongPathIsHandedToTheLoaderWhole) {
    // A folder of its own, so that test runs of other builds do not meet here.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path root = fs::temp_directory_path() / ("qtl_driver_path_" + std::to_string(stamp));
    const fs::path dir = root / std::string(90, 'd');
    fs::create_directories(dir);
    const fs::path copy = dir / "pilote_long.so";
    fs::copy_file(QTL_TEST_DRIVER_COMPLETE, copy, fs::copy_options::overwrite_existing);
    ASSERT_GT(copy.string().size(), 83u);
    EXPECT_TRUE(loadInputDriver(channel, copy.string(), DriverNameSet::Dialog));
    EXPECT_DOUBLE_EQ(readEad(channel), 1.5);
    // A path past 250 characters still loads; only the stored name is cut.
    fs::path deeper = dir / std::string(120, 'e') / std::string(60, 'f');
    fs::create_directories(deeper);
    const fs::path far = deeper / "pilote.so";
    fs::copy_file(QTL_TEST_DRIVER_COMPLETE, far, fs::copy_options::overwrite_existing);
    ASSERT_GT(far.string().size(), 250u);
    EXPECT_TRUE(loadInputDriver(channel, far.string(), DriverNameSet::Dialog));
    EXPECT_EQ(channel.driverFile.str(), far.string().substr(0, 250));
    std::error_code ignored;
    fs::remove_all(root, ignored);  // the loaded libraries stay mapped; removing is safe
}

TEST_F(DriverLoading, SameLibraryOnTwoChannelsReadsEachChannelsInput) {
    ProgramSettings& s = programSettings();
    ASSERT_TRUE(loadInputDriver(s.channelP, QTL_TEST_DRIVER_COMPLETE, DriverNameSet::Dialog));
    ASSERT_TRUE(loadInputDriver(s.channelA, QTL_TEST_DRIVER_COMPLETE, DriverNameSet::Dialog));
    s.channelP.inputIndex = 0;
    s.channelA.inputIndex = 1;
    EXPECT_DOUBLE_EQ(readEad('P'), 1.5);
    EXPECT_DOUBLE_EQ(readEad('A'), 2.5);
    EXPECT_EQ(readEa('P'), 100);
    EXPECT_EQ(readEa('A'), 101);
    // S has no driver.
    EXPECT_EQ(readEa('S'), 777);
    EXPECT_DOUBLE_EQ(readEad('S'), 777.0);
}

TEST_F(DriverLoading, OutputSetsOfTheSettingsFileAndTheDialogs) {
    const auto logicFile =
        loadLogicOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::SettingsFile);
    EXPECT_TRUE(logicFile.ready());
    EXPECT_NE(logicFile.readOutput, nullptr);
    const auto logicDialog = loadLogicOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::Dialog);
    EXPECT_TRUE(logicDialog.ready());
    EXPECT_EQ(logicDialog.readOutput, nullptr);
    logicDialog.setOutput(2, 1);
    EXPECT_EQ(logicFile.readOutput(2), 1);

    const auto analogFile =
        loadAnalogOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::SettingsFile);
    EXPECT_TRUE(analogFile.ready());
    EXPECT_EQ(analogFile.title, nullptr);
    EXPECT_EQ(analogFile.calibration, nullptr);
    EXPECT_NE(analogFile.outputNameReal, nullptr);
    EXPECT_NE(analogFile.readRaw, nullptr);
    const auto analogDialog = loadAnalogOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::Dialog);
    EXPECT_FALSE(analogDialog.ready());  // no "SA" in the dialog's set
    EXPECT_NE(analogDialog.title, nullptr);
    EXPECT_NE(analogDialog.calibration, nullptr);
    ASSERT_NE(analogDialog.setReal, nullptr);
    analogDialog.setReal(1, 2.5);
    EXPECT_DOUBLE_EQ(analogFile.readReal(1), 2.5);
    EXPECT_EQ(listDriverNames(analogDialog.outputName, 1),
              (std::vector<std::string>{"sortie analogique 0", "sortie analogique 1"}));

    const auto none = loadAnalogOutputDriver("/nonexistent.so", DriverNameSet::SettingsFile);
    EXPECT_EQ(none, AnalogOutputEntryPoints{});
}

TEST(DriverFileFilter, AcceptsThisPlatformsSuffix) {
    const std::string suffix(driverLibrarySuffix());
    EXPECT_NE(inputDriverFileFilter().find("Dll de mesure"), std::string::npos);
    EXPECT_NE(inputDriverFileFilter().find("*" + suffix), std::string::npos);
    EXPECT_NE(outputDriverFileFilter().find("*.pim"), std::string::npos);
    EXPECT_NE(outputDriverFileFilter().find("*" + suffix), std::string::npos);
}

}  // namespace
}  // namespace qtl
