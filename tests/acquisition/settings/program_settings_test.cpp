// Defaults and bounds of the settings record.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "settings/program_settings.h"
#include "settings/text_codec.h"

namespace qtl {
namespace {

TEST(ProgramSettings, FreshStart) {
    resetProgramSettings();
    const ProgramSettings& s = programSettings();
    EXPECT_EQ(s.channelP.title, "voie principale");
    EXPECT_EQ(s.channelA.title, "voie auxiliaire");
    EXPECT_EQ(s.channelS.title, "voie supplémentaire");
    EXPECT_EQ(s.channelP.formulaText, "P");
    EXPECT_EQ(s.channelA.formulaText, "A");
    EXPECT_EQ(s.channelS.formulaText, "S");
    EXPECT_EQ(s.intervalUs, 1000000);
    EXPECT_EQ(s.maxMeasurements, 100);
    EXPECT_EQ(s.oscilloThresholdMs, 50);
    EXPECT_EQ(s.repeatsPerMeasurement, 10);
    EXPECT_EQ(s.statusRefreshMs, 1000);
    EXPECT_EQ(s.displayDigits, 5);
    EXPECT_EQ(s.currentChannel, 'P');
    EXPECT_EQ(s.decimalSeparator, '.');
    EXPECT_EQ(s.chartTitle, "Mesures effectuées");
    EXPECT_EQ(s.timeAxisTitle, "temps");
    EXPECT_TRUE(s.pointTimerMode);
    EXPECT_TRUE(s.acquisitionRunning);
    EXPECT_TRUE(s.exportTitles);
    EXPECT_FALSE(s.exportDetails);
    EXPECT_FALSE(s.variableOutputActive);
    EXPECT_FALSE(s.timeAsDate);
    EXPECT_FALSE(s.rawConverterMode);
    EXPECT_FALSE(s.memoFileOn);
    EXPECT_TRUE(s.variableOutputFormulaText.empty());
    for (const SettingsText* t :
         {&s.logicDriverFile, &s.fixedAnalogDriverFile, &s.variableAnalogDriverFile,
          &s.externalPath, &s.externalLine, &s.externalMenu}) {
        EXPECT_TRUE(t->empty());
    }
    EXPECT_FALSE(s.logicDriverReady || s.fixedAnalogDriverReady || s.variableAnalogDriverReady);
    // Values the settings file keeps, and the look of future graph windows.
    const double ranges[] = {s.cfgMinX,  s.cfgMaxX,  s.cfgMinY,       s.cfgMaxY,
                             s.cfgMinY2, s.cfgMaxY2, s.cfgLowerBound, s.cfgUpperBound};
    const double rangeDefaults[] = {0, 100, 0, 100, 0, 100, 0, 0};
    for (std::size_t i = 0; i < std::size(ranges); ++i) EXPECT_EQ(ranges[i], rangeDefaults[i]) << i;
    for (const bool flag :
         {s.cfgAutoScaleX, s.cfgAutoScaleY, s.cfgAutoScaleY2, s.cfgAxisY2Visible, s.cfgDrawLines,
          s.cfgDrawPoints, s.showPoints, s.showLines, s.continuousLine, s.autoScaleYP,
          s.autoScaleYA, s.seriesSOnLeft, s.framingFuture}) {
        EXPECT_TRUE(flag);
    }
    EXPECT_EQ(s.pointSize, 2);
    EXPECT_EQ(s.lineWidth, 2);
    EXPECT_EQ(s.minYP, 0);
    EXPECT_EQ(s.maxYP, 1000);
    EXPECT_EQ(s.minYA, 0);
    EXPECT_EQ(s.maxYA, 1000);
    for (const ChannelSettings* c : {&s.channelP, &s.channelA, &s.channelS}) {
        EXPECT_FALSE(c->active);
        EXPECT_FALSE(c->takeMeasurement);
        EXPECT_TRUE(c->driverFile.empty());
        EXPECT_EQ(c->driver, DriverEntryPoints{});
        EXPECT_EQ(c->inputIndex, 0);
        EXPECT_EQ(c->lineStyle, 0);
    }
}

TEST(ProgramSettings, ChannelFormulasCompiledAtStart) {
    resetProgramSettings();
    const ProgramSettings& s = programSettings();
    EXPECT_EQ(s.channelP.formula.parameters(), "PAST");
    EXPECT_DOUBLE_EQ(Evalue4(s.channelP.formula, 1, 2, 3, 4), 1.0);
    EXPECT_DOUBLE_EQ(Evalue4(s.channelA.formula, 1, 2, 3, 4), 2.0);
    EXPECT_DOUBLE_EQ(Evalue4(s.channelS.formula, 1, 2, 3, 4), 3.0);
    EXPECT_TRUE(s.variableOutputFormula.empty());
}

TEST(ProgramSettings, RecompilingTheChannelFormulas) {
    ProgramSettings s;
    s.channelA.formulaText = "2*P+T";
    s.channelS.formulaText = "2*Q";
    compileChannelFormulas(s);
    EXPECT_TRUE(formulaError);  // from the last one, S
    EXPECT_DOUBLE_EQ(Evalue4(s.channelA.formula, 3, 0, 0, 0.5), 6.5);
    // The faulty one falls back to the identity of P and keeps its text as typed.
    EXPECT_DOUBLE_EQ(Evalue4(s.channelS.formula, 3, 4, 5, 6), 3.0);
    EXPECT_EQ(s.channelS.formulaText, "2*Q");
    s.channelS.formulaText = "S";
    compileChannelFormulas(s);
    EXPECT_FALSE(formulaError);
}

TEST(ProgramSettings, ResetForgetsChanges) {
    ProgramSettings& s = programSettings();
    s.channelA.title = "changed";
    s.channelA.active = true;
    s.intervalUs = 5;
    resetProgramSettings();
    EXPECT_EQ(s.channelA.title, "voie auxiliaire");
    EXPECT_FALSE(s.channelA.active);
    EXPECT_EQ(s.intervalUs, 1000000);
}

TEST(ProgramSettings, SixteenBitFieldsKeepTheLowBits) {
    ProgramSettings s;
    s.maxMeasurements = static_cast<std::uint16_t>(70000);
    s.channelP.inputIndex = static_cast<std::uint16_t>(65536 + 3);
    EXPECT_EQ(s.maxMeasurements, 70000 - 65536);
    EXPECT_EQ(s.channelP.inputIndex, 3);
}

TEST(ProgramSettings, TextFieldsAreCutAt250Characters) {
    ProgramSettings s;
    std::string title;
    for (int i = 0; i < 260; ++i) title += "é";
    s.channelS.title = title;
    s.channelS.driverFile = std::string(300, '/');
    EXPECT_EQ(utf8Length(s.channelS.title.str()), 250u);
    EXPECT_EQ(s.channelS.driverFile.str().size(), 250u);
    // The calibration text is not bounded.
    s.channelS.calibrationText = std::string(1000, 'c');
    EXPECT_EQ(s.channelS.calibrationText.size(), 1000u);
}

TEST(ProgramSettings, ChannelByLetter) {
    ProgramSettings s;
    EXPECT_EQ(&s.channel('P'), &s.channelP);
    EXPECT_EQ(&s.channel('a'), &s.channelA);
    EXPECT_EQ(&s.channel('S'), &s.channelS);
    EXPECT_EQ(&s.channel('T'), &s.channelP);
}

}  // namespace
}  // namespace qtl
