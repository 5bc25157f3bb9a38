// Entry points of the driver libraries held by the settings record: one input set per
// channel and the three output sets. Each slot is null when the name was not found.
#pragma once

#include <array>
#include <string_view>

#include "qtl_pilote.h"

namespace qtl {

// Which of the two export names a loading step looks up.
enum class DriverNameSet {
    Dialog,        // "stddetail", "stdead", ... chosen in a dialog
    SettingsFile,  // "detail", "EAD", ... reloaded from a settings file
};

// Reading of a channel that has no driver.
inline constexpr int NO_DRIVER_VALUE = QTL_NO_DRIVER_VALUE;

struct DriverEntryPoints {
    qtl_pilote_text_fn description = nullptr;         // "stddetail" / "detail"
    qtl_pilote_count_fn inputCount = nullptr;         // "stdnea" / "NEA" (kept, never called)
    qtl_pilote_raw_read_fn rawReading = nullptr;      // "stdea" / "EA"
    qtl_pilote_name_fn inputName = nullptr;           // "stdnead" / "NEAD"
    qtl_pilote_real_read_fn realReading = nullptr;    // "stdead" / "EAD"
    qtl_pilote_calibration_fn calibration = nullptr;  // "stdcalibration" / "calibration"

    // The driver can list its inputs and give converted readings.
    bool ready() const { return inputName != nullptr && realReading != nullptr; }
    friend bool operator==(const DriverEntryPoints&, const DriverEntryPoints&) = default;
};

// Names of the six input entry points, in lookup order (description first).
const std::array<std::string_view, 6>& inputDriverNames(DriverNameSet set);

// Logic outputs: the settings file loads "detail", "NSB", "SB", "RSB"; the logic output
// dialog loads "stddetail", "stdnsb", "stdsb" into the first three slots.
struct LogicOutputEntryPoints {
    qtl_pilote_text_fn description = nullptr;       // "detail" / "stddetail"
    qtl_pilote_name_fn outputName = nullptr;        // "NSB" / "stdnsb"
    qtl_pilote_set_logic_fn setOutput = nullptr;    // "SB" / "stdsb"
    qtl_pilote_read_logic_fn readOutput = nullptr;  // "RSB" (kept, never called)

    bool ready() const { return setOutput != nullptr && outputName != nullptr; }
    friend bool operator==(const LogicOutputEntryPoints&, const LogicOutputEntryPoints&) = default;
};

// Analog outputs: the settings file loads "detail", "NSA", "NSAD", "SA", "SAD", "RSA", "RSAD";
// the output dialogs load "stddetail", "stdtitre", "stdnsad" (into outputName), "stdsad" (into
// setReal) and "stdcalibration", so the variable output works with either loading.
struct AnalogOutputEntryPoints {
    qtl_pilote_text_fn description = nullptr;         // "detail" / "stddetail"
    qtl_pilote_text_fn title = nullptr;               // "stdtitre"
    qtl_pilote_name_fn outputName = nullptr;          // "NSA" / "stdnsad"
    qtl_pilote_name_fn outputNameReal = nullptr;      // "NSAD" (kept, never called)
    qtl_pilote_set_raw_fn setRaw = nullptr;           // "SA"
    qtl_pilote_set_real_fn setReal = nullptr;         // "SAD" / "stdsad"
    qtl_pilote_read_raw_fn readRaw = nullptr;         // "RSA" (kept, never called)
    qtl_pilote_read_real_fn readReal = nullptr;       // "RSAD" (kept, never called)
    qtl_pilote_calibration_fn calibration = nullptr;  // "stdcalibration"

    // Readiness as the settings file judges it.
    bool ready() const { return setRaw != nullptr && outputName != nullptr; }
    friend bool operator==(const AnalogOutputEntryPoints&,
                           const AnalogOutputEntryPoints&) = default;
};

}  // namespace qtl
