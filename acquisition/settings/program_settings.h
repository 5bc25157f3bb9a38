// The program-wide acquisition settings: one record, alive from start to exit, through which
// every window and dialog shares the channels, timing, display and output choices.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formula/formula.h"
#include "settings/bounded_text.h"
#include "settings/driver_entry_points.h"

namespace qtl {

// One input channel: P (principal), A (auxiliary) or S (supplementary).
struct ChannelSettings {
    SettingsText driverFile;       // "PILOTEx": path of the driver library
    DriverEntryPoints driver;      // entry points found in it
    std::uint16_t inputIndex = 0;  // "NUMEAx": position of the input in the driver's list
    SettingsText title;            // "TITREx"
    SettingsText formulaText;      // "FONCTIONx"
    CompiledFormula formula;       // formulaText compiled for "PAST"
    std::uint8_t lineStyle = 0;    // "STYLEx": 0 solid, 1 dashed, 2 dotted
    bool takeMeasurement = false;  // "PECA", "PECS": the user's "Prise de mesure ?"
    bool active = false;           // the channel delivers values
    std::string calibrationText;   // text last returned by the driver's calibration

    // Defaults of the channel named by its letter 'P', 'A' or 'S'.
    static ChannelSettings defaults(char letter);
};

struct ProgramSettings {
    ChannelSettings channelP = ChannelSettings::defaults('P');
    ChannelSettings channelA = ChannelSettings::defaults('A');
    ChannelSettings channelS = ChannelSettings::defaults('S');
    char currentChannel = 'P';  // channel the driver dialog works on

    // Timing.
    std::int32_t intervalUs = 1000000;     // "INTERVALLE"
    std::uint16_t maxMeasurements = 100;   // "NBMESURES"
    std::int32_t oscilloThresholdMs = 50;  // below it, the burst regime
    std::int32_t repeatsPerMeasurement = 10;
    bool timeAsDate = false;               // time axis in days since 30 December 1899
    std::uint16_t statusRefreshMs = 1000;  // live readout period
    std::uint16_t displayDigits = 5;       // digits of the live readout

    bool rawConverterMode = false;  // "OUICANDIRECT": raw integer readings
    bool memoFileOn = false;        // "OUIFICHMEMO"
    bool pointTimerMode = true;
    bool acquisitionRunning = true;

    // Output drivers loaded through a settings file (the variable output dialog shares its set).
    SettingsText logicDriverFile;           // "PILOTESB"
    SettingsText fixedAnalogDriverFile;     // "PILOTESAF"
    SettingsText variableAnalogDriverFile;  // "PILOTESAV"
    bool logicDriverReady = false;
    bool fixedAnalogDriverReady = false;
    bool variableAnalogDriverReady = false;
    LogicOutputEntryPoints logicDriver;
    AnalogOutputEntryPoints fixedAnalogDriver;
    AnalogOutputEntryPoints variableAnalogDriver;

    // Variable analog output.
    SettingsText variableOutputFormulaText;
    CompiledFormula variableOutputFormula;  // empty until the output dialog compiles one
    bool variableOutputActive = false;

    SettingsText externalPath;  // "CHEMINEXTERNE"
    SettingsText externalLine;  // "LIGNEEXTERNE"
    SettingsText externalMenu;  // "MENUEXTERNE"

    // Axis values kept in the settings file only.
    double cfgMinX = 0, cfgMaxX = 100, cfgMinY = 0, cfgMaxY = 100, cfgMinY2 = 0, cfgMaxY2 = 100;
    bool cfgAutoScaleX = true, cfgAutoScaleY = true, cfgAutoScaleY2 = true;
    bool cfgAxisY2Visible = true;
    bool cfgDrawLines = true, cfgDrawPoints = true;
    double cfgLowerBound = 0, cfgUpperBound = 0;  // "BORNEINF", "BORNESUP"

    char decimalSeparator = '.';  // used by formatReal
    std::string chartTitle = "Mesures effectuées";
    std::string timeAxisTitle = "temps";

    // Look of graph windows created from now on (the axis dialog in future mode).
    std::uint16_t pointSize = 2;
    std::uint16_t lineWidth = 2;
    bool showPoints = true;
    bool showLines = true;
    bool continuousLine = true;
    std::int32_t minYP = 0, maxYP = 1000;
    std::int32_t minYA = 0, maxYA = 1000;
    bool autoScaleYP = true;
    bool autoScaleYA = true;
    bool seriesSOnLeft = true;
    bool framingFuture = true;

    // Data file export; set back after every save.
    bool exportTitles = true;
    bool exportDetails = false;

    // The channel named by its letter ('P', 'A', 'S', either case); P for any other letter.
    ChannelSettings& channel(char letter);
    const ChannelSettings& channel(char letter) const;
};

// Variables of every channel formula and of the variable output formula.
inline constexpr std::string_view kChannelFormulaVariables = "PAST";

// The one record of the program, created with the defaults and its channel formulas
// compiled from "P", "A" and "S".
ProgramSettings& programSettings();

// Compiles each channel's formulaText into its formula (variables P, A, S, T). Leaves
// formulaError as the last compilation set it.
void compileChannelFormulas(ProgramSettings& settings);

// Puts the record back to its start-up state: defaults, formulas compiled from "P", "A", "S".
// Loaded driver libraries stay loaded; only the record forgets them.
void resetProgramSettings();

}  // namespace qtl
