// The logic outputs dialog's operations on the outputs state: choosing its driver and
// sending every listed output.
#pragma once

#include <string_view>

#include "outputs/outputs_state.h"

namespace qtl {

// "Choix pilote" once the file dialog has answered; `path` is the name it holds (the previous
// choice after a cancel, empty when none was ever made). The list is emptied; a non-empty path
// is loaded with the dialog's names, replacing every entry point; the list is rebuilt from
// "stdnsb", unchecked, up to the first name shorter than 2 characters or 1024 names.
void chooseLogicOutputDriver(LogicOutputsState& state, std::string_view path);

// OK: "stdsb"(k, 1 or 0) for every line k, checked or not. Returns the number of calls made
// (0 without "stdsb").
int sendLogicOutputs(const LogicOutputsState& state);

}  // namespace qtl
