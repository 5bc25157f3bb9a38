// The simulation driver through the driver contract: inputs, readings in real time,
// calibration, and outputs read back by the "sortie analogique 0" input.
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "settings/input_driver.h"
#include "settings/output_driver.h"
#include "settings/program_settings.h"

namespace qtl {
namespace {

enum Input { Sine = 0, Triangle = 1, Noise = 2, RcCharge = 3, Output0 = 4 };

// The library keeps its state for the whole run; each test puts the signals back.
class SimulationDriver : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(loadInputDriver(channel, QTL_SIMULATION_DRIVER, DriverNameSet::Dialog));
        channel.calibrationText = "amplitude=5;frequence=1";
        calibrateChannel(channel);
    }
    void TearDown() override {
        channel.calibrationText = "amplitude=5;frequence=1";
        calibrateChannel(channel);
    }
    double read(int input) {
        channel.inputIndex = static_cast<std::uint16_t>(input);
        return readEad(channel);
    }
    std::int32_t readRaw(int input) {
        channel.inputIndex = static_cast<std::uint16_t>(input);
        return readEa(channel);
    }
    ChannelSettings channel = ChannelSettings::defaults('P');
};

TEST_F(SimulationDriver, FrenchDescriptionAndInputs) {
    EXPECT_TRUE(channel.active);
    EXPECT_NE(driverDescription(channel.driver).find("Simulation"), std::string::npos);
    EXPECT_NE(driverDescription(channel.driver).find("calculés"), std::string::npos);
    const auto names = listInputNames(channel.driver);
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[Output0], "sortie analogique 0");
    EXPECT_EQ(names[Sine], "sinus (V)");
    EXPECT_EQ(channel.driver.inputCount(), 5);
}

TEST_F(SimulationDriver, BothNameSetsReachTheSameInputs) {
    ChannelSettings fromFile = ChannelSettings::defaults('A');
    ASSERT_TRUE(loadInputDriver(fromFile, QTL_SIMULATION_DRIVER, DriverNameSet::SettingsFile));
    EXPECT_EQ(listInputNames(fromFile.driver), listInputNames(channel.driver));
    EXPECT_NE(fromFile.driver.calibration, nullptr);
    fromFile.inputIndex = RcCharge;
    const double v = readEad(fromFile);
    EXPECT_GE(v, 0.0);
    EXPECT_LE(v, 5.0);
}

TEST_F(SimulationDriver, ReadingsArePlausibleAndMove) {
    std::vector<double> sine;
    double noiseMin = 1e9, noiseMax = -1e9;
    for (int i = 0; i < 12; ++i) {
        sine.push_back(read(Sine));
        const double n = read(Noise);
        noiseMin = std::min(noiseMin, n);
        noiseMax = std::max(noiseMax, n);
        EXPECT_LE(std::fabs(read(Triangle)), 5.0 + 1e-9);
        const double rc = read(RcCharge);
        EXPECT_GE(rc, 0.0);
        EXPECT_LT(rc, 5.0);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (double v : sine) EXPECT_LE(std::fabs(v), 5.0 + 1e-9);
    // 220 ms of a 1 Hz sine cannot stay put.
    EXPECT_GT(
        *std::max_element(sine.begin(), sine.end()) - *std::min_element(sine.begin(), sine.end()),
        0.1);
    EXPECT_LT(noiseMin, noiseMax);
    EXPECT_LE(std::fabs(noiseMin), 0.5 + 1e-9);
    EXPECT_LE(std::fabs(noiseMax), 0.5 + 1e-9);
}

TEST_F(SimulationDriver, RawReadingsAreTwelveBitCodesOverTenVolts) {
    for (int input = 0; input < 5; ++input) {
        const std::int32_t code = readRaw(input);
        EXPECT_GE(code, 0) << input;
        EXPECT_LE(code, 4095) << input;
    }
    const auto out = loadAnalogOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::Dialog);
    out.setReal(0, -10.0);
    EXPECT_EQ(readRaw(Output0), 0);
    out.setReal(0, 10.0);
    EXPECT_EQ(readRaw(Output0), 4095);
    out.setReal(0, 0.0);
    EXPECT_NEAR(readRaw(Output0), 2048, 1);
    out.setReal(0, 25.0);  // past full scale: the output stops at +10 V
    EXPECT_DOUBLE_EQ(read(Output0), 10.0);
    out.setReal(0, 0.0);
}

TEST_F(SimulationDriver, AnalogOutputZeroIsReadBack) {
    const auto dialog = loadAnalogOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::Dialog);
    const auto file = loadAnalogOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::SettingsFile);
    EXPECT_EQ(driverText(dialog.title()), "Simulation");
    dialog.setReal(0, 3.25);
    EXPECT_DOUBLE_EQ(read(Output0), 3.25);
    dialog.setReal(1, -2.0);  // output 1 is remembered but not read back by input 4
    EXPECT_DOUBLE_EQ(read(Output0), 3.25);
    EXPECT_DOUBLE_EQ(file.readReal(1), -2.0);
    file.setRaw(0, 4095);
    EXPECT_DOUBLE_EQ(read(Output0), 10.0);
    EXPECT_EQ(file.readRaw(0), 4095);
    EXPECT_EQ(listDriverNames(file.outputNameReal, 1).size(), 2u);
    // Unknown outputs are refused without harm.
    EXPECT_EQ(file.setRaw(7, 100), 0);
    dialog.setReal(0, 0.0);
}

TEST_F(SimulationDriver, FourLogicOutputsRemembered) {
    const auto dialog = loadLogicOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::Dialog);
    const auto file = loadLogicOutputDriver(QTL_SIMULATION_DRIVER, DriverNameSet::SettingsFile);
    const auto names = listDriverNames(dialog.outputName, 2);
    EXPECT_EQ(names, (std::vector<std::string>{"sortie logique 0", "sortie logique 1",
                                               "sortie logique 2", "sortie logique 3"}));
    dialog.setOutput(1, 1);
    dialog.setOutput(3, 0);
    EXPECT_EQ(file.readOutput(1), 1);
    EXPECT_EQ(file.readOutput(3), 0);
    file.setOutput(1, 0);
    EXPECT_EQ(file.readOutput(1), 0);
    EXPECT_EQ(dialog.setOutput(4, 1), 0);
    EXPECT_EQ(file.readOutput(-1), 0);
}

TEST_F(SimulationDriver, CalibrationChangesTheSignals) {
    channel.calibrationText = "Amplitude = 0,5 ; frequence=2";
    ASSERT_TRUE(calibrateChannel(channel));
    EXPECT_EQ(channel.calibrationText, "amplitude=0.5;frequence=2");
    for (int i = 0; i < 5; ++i) {
        EXPECT_LE(std::fabs(read(Sine)), 0.5 + 1e-9);
        EXPECT_LE(read(RcCharge), 0.5);
    }
    // Unreadable and out-of-range values: kept within range, the rest unchanged.
    channel.calibrationText = "amplitude=99;frequence=abc;couleur=3";
    calibrateChannel(channel);
    EXPECT_EQ(channel.calibrationText, "amplitude=10;frequence=2");
    // An empty text changes nothing and tells the current settings.
    channel.calibrationText.clear();
    calibrateChannel(channel);
    EXPECT_EQ(channel.calibrationText, "amplitude=10;frequence=2");
}

TEST_F(SimulationDriver, CalibrationTextIgnoresTheHostsLocale) {
    // The program may run under a locale whose decimal mark is a comma.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    bool comma = false;
    for (const char* name : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8", "French_France.1252"}) {
        if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
            comma = true;
            break;
        }
    }
    if (!comma) {
        std::setlocale(LC_NUMERIC, saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    }
    channel.calibrationText = "amplitude=0.5;frequence=2,5";
    calibrateChannel(channel);
    const std::string answer = channel.calibrationText;
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(answer, "amplitude=0.5;frequence=2.5");
}

TEST_F(SimulationDriver, UnknownInputsReadZero) {
    EXPECT_DOUBLE_EQ(read(200), 0.0);
    EXPECT_EQ(driverText(channel.driver.inputName(-1)), "");
}

}  // namespace
}  // namespace qtl
