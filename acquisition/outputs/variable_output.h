// The variable analog output: its driver choice and formula confirmation in the dialog, and
// its update during an acquisition, where its formula is evaluated on the channel values and
// sent to output 0 through the variable output's driver.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/program_settings.h"

namespace qtl {

// What the dialog shows after a driver choice.
struct VariableOutputDriverView {
    std::optional<std::string> detail;  // "stddetail"'s text; none: the label is hidden
    // Set when "stdnsad" is there: the formula controls are shown exactly when the name of
    // output 0 has 3 characters or more. Unset: they keep their state.
    std::optional<bool> formulaShown;
    std::string outputName;  // name of output 0
    bool calibrationShown = false;
};

// "Choix pilote" once the file dialog has answered; `path` is the name it holds. Empty:
// nothing happens (nullopt). Otherwise the library is loaded with the dialog's names into the
// slots the settings file's "PILOTESAV" also fills (whichever ran last provides them) and
// `variableAnalogDriverFile` takes the path.
std::optional<VariableOutputDriverView> chooseVariableOutputDriver(ProgramSettings& settings,
                                                                   std::string_view path);

inline constexpr const char* kFormulaErrorMessage = "Erreur dans la fonction";
inline constexpr const char* kVariableOutputOnMessage = "sortie variable activée";
inline constexpr const char* kVariableOutputOffMessage = "sortie variable non activée";

// What the dialog's OK leads to.
struct VariableOutputConfirmation {
    bool formulaError = false;  // "Erreur dans la fonction" is shown first
    std::string editText;       // what the edit shows afterwards
    std::string message;        // "sortie variable activée" or "... non activée"
};

// OK: compiles `text` for "PAST" into `variableOutputFormula`. A faulty text keeps the last
// accepted text (the compiled formula is then the identity of P); otherwise the text becomes
// `variableOutputFormulaText`. `variableOutputActive` takes `active` either way.
VariableOutputConfirmation confirmVariableOutput(ProgramSettings& settings, std::string_view text,
                                                 bool active);

// Evaluates the variable output formula with (P, A, S, T) and sends the value to output 0
// when the output is active and the driver's "stdsad" (or a settings file's "SAD") is there.
// A value that is not a number is never sent. An arithmetic error of the formula throws the
// formula error, as every formula evaluation in a step does. True when a value was sent.
bool updateVariableOutput(ProgramSettings& settings, double p, double a, double s, double t);

}  // namespace qtl
