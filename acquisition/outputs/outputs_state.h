// What the output dialogs show and the settings file saves and restores, without Qt: the six
// fixed analog output values with which of them are shown, and the logic outputs' names with
// their check marks. The dialogs display and change this state; they keep nothing else but
// the file name their file dialog remembers.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "settings/driver_entry_points.h"

namespace qtl {

struct FixedOutputsState {
    static constexpr int kCount = 6;
    std::array<double, kCount> values{};  // in steps of 1/10000
    std::array<bool, kCount> shown{};     // the driver names the output (or a settings file set it)
    // The fixed outputs dialog's own driver ("stddetail", "stdtitre", "stdnsad", "stdsad",
    // "stdcalibration"), distinct from the settings file's "PILOTESAF" one.
    AnalogOutputEntryPoints driver;
    std::array<std::string, kCount> names;  // labels of the lines the driver names
    std::string title;                      // "stdtitre", empty until a driver gives one
};

struct LogicOutputsState {
    std::vector<std::string> names;  // one line per output, in output order
    std::vector<bool> checked;       // same size as names
    // The logic outputs dialog's own driver ("stddetail", "stdnsb", "stdsb"), distinct from
    // the settings file's "PILOTESB" one.
    LogicOutputEntryPoints driver;
    std::string description;  // "stddetail", empty until a driver gives one
};

struct OutputsState {
    LogicOutputsState logic;
    FixedOutputsState fixed;
};

// The program's one outputs state.
OutputsState& outputsState();

}  // namespace qtl
