// Loading the output driver libraries: logic outputs, fixed and variable analog outputs.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/driver_entry_points.h"
#include "settings/program_settings.h"

namespace qtl {

// Names looked up for a logic output library: "detail", "NSB", "SB", "RSB" from a settings
// file; "stddetail", "stdnsb", "stdsb" from the logic output dialog (no read-back name).
const std::array<std::string_view, 4>& logicOutputDriverNames(DriverNameSet set);

// Names looked up for an analog output library, in the slot order of AnalogOutputEntryPoints
// (description, title, outputName, outputNameReal, setRaw, setReal, readRaw, readReal,
// calibration); an empty name is not looked up.
const std::array<std::string_view, 9>& analogOutputDriverNames(DriverNameSet set);

// Loads the library and looks its names up; every slot is replaced (null when not found or
// when the library does not load). Libraries are never unloaded.
LogicOutputEntryPoints loadLogicOutputDriver(std::string_view path, DriverNameSet set);
AnalogOutputEntryPoints loadAnalogOutputDriver(std::string_view path, DriverNameSet set);

// The three output libraries a settings file names.
enum class OutputLibrary {
    Logic,           // "PILOTESB"
    FixedAnalog,     // "PILOTESAF"
    VariableAnalog,  // "PILOTESAV"
};

// What a settings file's output driver line does: loads the library with the settings-file
// names into the record's entry points for that library, keeps the path (cut to 250
// characters) whether or not it loads, and sets the ready flag ("SB" and "NSB", or "SA" and
// "NSA", found). Returns the ready flag.
bool loadOutputDriverFromSettingsFile(ProgramSettings& settings, OutputLibrary library,
                                      std::string_view path);

// "SB"(output, 1 or 0). False when the entry point is absent.
bool setLogicOutput(const LogicOutputEntryPoints& driver, std::int32_t output, bool on);

// "stdsad" or "SAD"(output, value), its result ignored. A value that is not a number is never
// sent: a driver cannot tell it from a setting. False when nothing was called.
bool setRealAnalogOutput(const AnalogOutputEntryPoints& driver, std::int32_t output, double value);

// Drives a fixed analog output as the settings file does: in raw converter mode "SA" with the
// value rounded to the nearest integer (halves to even, kept within 32 bits), otherwise "SAD"
// with the value, its result ignored. A value that is not a number is sent by neither. False
// when nothing was called.
bool setFixedAnalogOutput(const AnalogOutputEntryPoints& driver, std::int32_t output, double value,
                          bool rawConverterMode);

}  // namespace qtl
