// Live readout texts and menu rules over scripted drivers (entry points set to functions of
// this test) and over the simulation driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "formula/formula.h"
#include "settings/input_driver.h"
#include "settings/live_readout.h"
#include "settings/program_settings.h"

namespace qtl {
namespace {

// Scripted driver: each channel reads the input of its own number (P 0, A 1, S 2).
std::vector<std::string> driverCalls;
double realValue[3] = {0, 0, 0};
std::int32_t rawValue[3] = {0, 0, 0};

const char* QTL_PILOTE_CALL scriptedDescription() {
    return "pilote scripté";
}
const char* QTL_PILOTE_CALL scriptedName(std::int32_t index) {
    return index < 3 ? "EA" : "";
}
double QTL_PILOTE_CALL scriptedReal(std::int32_t input) {
    driverCalls.push_back("EAD" + std::to_string(input));
    return realValue[input];
}
std::int32_t QTL_PILOTE_CALL scriptedRaw(std::int32_t input) {
    driverCalls.push_back("EA" + std::to_string(input));
    return rawValue[input];
}

class LiveReadout : public ::testing::Test {
  protected:
    void SetUp() override {
        resetProgramSettings();
        driverCalls.clear();
        for (int i = 0; i < 3; ++i) {
            realValue[i] = 0;
            rawValue[i] = 0;
        }
    }
    void TearDown() override { resetProgramSettings(); }

    ProgramSettings& settings = programSettings();

    void scripted(ChannelSettings& channel, std::uint16_t input, bool active = true) {
        channel.driver.description = scriptedDescription;
        channel.driver.inputName = scriptedName;
        channel.driver.realReading = scriptedReal;
        channel.driver.rawReading = scriptedRaw;
        channel.inputIndex = input;
        channel.active = active;
    }
    void compile(ChannelSettings& channel, const char* text) {
        channel.formulaText = text;
        Definis_Fonction("PAST", text, channel.formula);
    }
};

TEST_F(LiveReadout, NoActiveChannelShowsUnavailableAndCallsNoDriver) {
    scripted(settings.channelP, 0, false);
    scripted(settings.channelA, 1, false);
    scripted(settings.channelS, 2, false);
    const ReadoutTexts texts = readoutTexts(settings);
    EXPECT_EQ(readoutCaption(texts), "QTL32 VP indisp.   VA indisp.   VS indisp.");
    EXPECT_TRUE(driverCalls.empty());
}

TEST_F(LiveReadout, ConvertedValuesFollowDisplayDigits) {
    struct Case {
        std::uint16_t digits;
        double value;
        const char* text;
    };
    const Case cases[] = {{5, 2.5, "VP:2.5000"},        {2, 2.5, "VP:2.5"},
                          {5, 12.3456789, "VP:12.345"}, {5, -20, "VP:-20.00"},
                          {5, 0.00001, "VP:0.0000"},    {0, 7.9, "VP:7"}};
    scripted(settings.channelP, 0);
    for (const Case& c : cases) {
        settings.displayDigits = c.digits;
        realValue[0] = c.value;
        EXPECT_EQ(readoutTexts(settings).p, c.text) << c.value << " with " << c.digits;
    }
}

TEST_F(LiveReadout, RawModeFormatsWithFiveDecimalsInTenCharacters) {
    settings.rawConverterMode = true;
    scripted(settings.channelP, 0);
    scripted(settings.channelA, 1, false);
    scripted(settings.channelS, 2, false);
    rawValue[0] = 512;
    realValue[0] = 99;  // must not be used
    EXPECT_EQ(readoutTexts(settings).p, "VP: 512.00000");
    EXPECT_EQ(driverCalls, (std::vector<std::string>{"EA0", "EA1", "EA2"}));
}

TEST_F(LiveReadout, EachActiveChannelTakesItsOwnThreeReadingsInOrder) {
    scripted(settings.channelP, 0);
    scripted(settings.channelA, 1, false);
    scripted(settings.channelS, 2);
    realValue[0] = 1;
    realValue[1] = 2;
    realValue[2] = 3;
    compile(settings.channelS, "P+A*S");
    const ReadoutTexts texts = readoutTexts(settings);
    EXPECT_EQ(texts.p, "VP:1.0000");
    EXPECT_EQ(texts.a, "VA indisp.");
    EXPECT_EQ(texts.s, "VS:7.0000");
    EXPECT_EQ(driverCalls,
              (std::vector<std::string>{"EAD0", "EAD1", "EAD2", "EAD0", "EAD1", "EAD2"}));
}

TEST_F(LiveReadout, FormulaSeesTimeZero) {
    scripted(settings.channelA, 1);
    realValue[1] = 4;
    compile(settings.channelA, "A+T");
    EXPECT_EQ(readoutTexts(settings).a, "VA:4.0000");
}

TEST_F(LiveReadout, ActiveChannelWithoutDriverShowsItsFormulaOn777) {
    settings.channelP.active = true;
    settings.channelA.active = true;
    compile(settings.channelA, "A/7");
    const ReadoutTexts texts = readoutTexts(settings);
    EXPECT_EQ(texts.p, "VP:777.00");
    EXPECT_EQ(texts.a, "VA:111.00");
}

TEST_F(LiveReadout, PFormulaIsCompiledAgainAtEveryTickInNormalModeOnly) {
    scripted(settings.channelP, 0);
    scripted(settings.channelA, 1);
    realValue[0] = 2;
    realValue[1] = 3;
    settings.channelP.formulaText = "P*10";  // text changed, not compiled
    settings.channelA.formulaText = "A*10";
    ReadoutTexts texts = readoutTexts(settings);
    EXPECT_EQ(texts.p, "VP:20.000");
    EXPECT_EQ(texts.a, "VA:3.0000") << "A keeps its last compiled formula";

    settings.rawConverterMode = true;
    rawValue[0] = 2;
    settings.channelP.formulaText = "P*100";
    EXPECT_EQ(readoutTexts(settings).p, "VP:  20.00000");
}

TEST_F(LiveReadout, PTextThatDoesNotCompileShowsTheFallback) {
    scripted(settings.channelP, 0);
    realValue[0] = 2.5;
    settings.channelP.formulaText = "P*(";
    formulaError = false;
    EXPECT_EQ(readoutTexts(settings).p, "VP:2.5000");
    EXPECT_TRUE(formulaError);
}

TEST_F(LiveReadout, ArithmeticErrorMarksOnlyThatChannel) {
    scripted(settings.channelP, 0);
    scripted(settings.channelA, 1);
    realValue[0] = 1;
    realValue[1] = 6;
    settings.channelP.formulaText = "1/(P-P)";
    for (int tick = 0; tick < 3; ++tick) {
        const ReadoutTexts texts = readoutTexts(settings);
        EXPECT_EQ(texts.p, "VP:erreur");
        EXPECT_EQ(texts.a, "VA:6.0000");
    }
    settings.rawConverterMode = true;
    compile(settings.channelP, "P");
    compile(settings.channelS, "SQRT(0-1-S)");
    scripted(settings.channelS, 2);
    EXPECT_EQ(readoutTexts(settings).s, "VS:erreur");
    // The formula library is usable again after the report.
    EXPECT_DOUBLE_EQ(Evalue4(settings.channelP.formula, 3, 0, 0, 0), 3);
}

TEST_F(LiveReadout, TextsHoldAtMost23Characters) {
    settings.rawConverterMode = true;
    scripted(settings.channelP, 0);
    rawValue[0] = 2000000000;
    compile(settings.channelP, "P*P*P");
    const std::string text = readoutTexts(settings).p;
    EXPECT_EQ(text.size(), kReadoutTextMax);
    EXPECT_EQ(text.substr(0, 4), "VP:8");
}

TEST_F(LiveReadout, PointByPointNeedsAMeasuredActiveA) {
    const bool table[4][3] = {
        {false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}};
    for (const auto& row : table) {
        settings.channelA.takeMeasurement = row[0];
        settings.channelA.active = row[1];
        EXPECT_EQ(pointByPointEnabled(settings), row[2]) << row[0] << row[1];
    }
}

TEST_F(LiveReadout, AutoTriggerNeedsIntervalAtOrBelowThresholdAndConvertedReadings) {
    struct Case {
        std::int32_t intervalUs;
        std::int32_t threshold;
        bool raw;
        bool enabled;
    };
    const Case cases[] = {{50000, 50, false, true},  {50999, 50, false, true},
                          {51000, 50, false, false}, {1000000, 50, false, false},
                          {40000, 50, true, false},  {999, 1, false, true}};
    for (const Case& c : cases) {
        settings.intervalUs = c.intervalUs;
        settings.oscilloThresholdMs = c.threshold;
        settings.rawConverterMode = c.raw;
        EXPECT_EQ(autoTriggerEnabled(settings), c.enabled) << c.intervalUs << " " << c.raw;
    }
}

TEST_F(LiveReadout, SimulationDriverGivesLiveValues) {
    ASSERT_TRUE(loadInputDriver(settings.channelP, QTL_SIMULATION_DRIVER, DriverNameSet::Dialog));
    ASSERT_TRUE(loadInputDriver(settings.channelA, QTL_SIMULATION_DRIVER, DriverNameSet::Dialog));
    settings.channelA.inputIndex = 1;
    const ReadoutTexts texts = readoutTexts(settings);
    ASSERT_EQ(texts.p.substr(0, 3), "VP:");
    ASSERT_EQ(texts.a.substr(0, 3), "VA:");
    const double p = std::strtod(texts.p.c_str() + 3, nullptr);
    EXPECT_GE(p, -10.0);
    EXPECT_LE(p, 10.0);
    EXPECT_EQ(texts.s, "VS indisp.");

    settings.rawConverterMode = true;
    const std::string raw = readoutTexts(settings).p;
    EXPECT_EQ(raw.size(), 13u) << raw;
    EXPECT_EQ(raw.substr(raw.size() - 6), ".00000") << "raw readings are integers";
}

}  // namespace
}  // namespace qtl
