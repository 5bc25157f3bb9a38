// Loading the output driver libraries: logic outputs, fixed and variable analog outputs.
#pragma once

#include <array>
#include <string_view>

#include "settings/driver_entry_points.h"

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

}  // namespace qtl
