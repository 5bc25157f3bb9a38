// The fixed analog outputs dialog's operations on the outputs state: choosing its driver,
// holding the six values, sending them and the driver's own settings.
#pragma once

#include <array>
#include <string_view>

#include "outputs/outputs_state.h"

namespace qtl {

// A fixed output holds a value within +-1,000,000 in steps of 1/10000; the range is wide so
// that no value a settings file sets is clamped.
inline constexpr double kFixedOutputLimit = 1'000'000.0;
inline constexpr int kFixedOutputDecimals = 4;

// Steps of the "incrément" choice, in its order; "1" is chosen at start.
inline constexpr std::array<double, 5> kFixedOutputSteps = {10.0, 1.0, 0.1, 0.01, 0.001};
inline constexpr int kDefaultFixedOutputStep = 1;

// The value an editor holds for `value`: rounded to the nearest 1/10000, within the limits.
// A value that is not a number holds 0.
double heldFixedOutputValue(double value);

// Stores the held value of output `index`. False (nothing changed) for an index outside 0..5
// or a value that is not a number.
bool setFixedOutputValue(FixedOutputsState& state, int index, double value);

// "Choix pilote" once the file dialog has answered; `path` is the name it holds (the previous
// choice after a cancel). A non-empty path is loaded with the dialog's names, replacing every
// entry point; the title is "stdtitre"'s text when "stddetail" and "stdtitre" are both there.
// Then every line is hidden, and lines 0 to 5 are shown for the names "stdnsad" gives, up to
// the first empty name or 1024 names. Values are kept.
void chooseFixedOutputDriver(FixedOutputsState& state, std::string_view path);

// OK: "stdsad"(k, value k) for k = 0..5, shown or not; a value that is not a number is not
// sent. Returns the number of calls made (0 without "stdsad").
int sendFixedOutputs(const FixedOutputsState& state);

// "réglages ?": calls "stdcalibration" with an empty text. False when it is absent.
bool calibrateFixedOutputDriver(const FixedOutputsState& state);

}  // namespace qtl
