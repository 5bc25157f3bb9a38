// The variable analog output's update during an acquisition.
#include "outputs/variable_output.h"

#include <cmath>

#include "formula/formula.h"

namespace qtl {

void updateVariableOutput(ProgramSettings& settings, double p, double a, double s, double t) {
    const auto setReal = settings.variableAnalogDriver.setReal;
    if (!settings.variableOutputActive || setReal == nullptr) return;
    // A formula error propagates from here: the step that called ends as every formula error.
    const double value = Evalue4(settings.variableOutputFormula, p, a, s, t);
    if (std::isnan(value)) return;  // a driver cannot tell a NaN from a real setting
    setReal(0, value);
}

}  // namespace qtl
