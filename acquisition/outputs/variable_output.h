// The variable analog output during an acquisition: its formula evaluated on the averaged
// channel values, sent to output 0 through the variable output's driver.
#pragma once

#include "settings/program_settings.h"

namespace qtl {

// Evaluates the variable output formula with (P, A, S, T) and sends the value to output 0
// when the output is active and the driver's "stdsad" (or a settings file's "SAD") is there.
// A value that is not a number is never sent. An arithmetic error of the formula throws the
// formula error, as every formula evaluation in a step does.
void updateVariableOutput(ProgramSettings& settings, double p, double a, double s, double t);

}  // namespace qtl
