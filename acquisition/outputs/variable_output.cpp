// The variable analog output: driver choice, formula confirmation and update.
#include "outputs/variable_output.h"

#include "formula/formula.h"
#include "settings/input_driver.h"
#include "settings/output_driver.h"
#include "settings/text_codec.h"

namespace qtl {

std::optional<VariableOutputDriverView> chooseVariableOutputDriver(ProgramSettings& settings,
                                                                   std::string_view path) {
    if (path.empty()) return std::nullopt;
    // Loaded before the path is stored: `path` may be the stored path itself.
    settings.variableAnalogDriver = loadAnalogOutputDriver(path, DriverNameSet::Dialog);
    settings.variableAnalogDriverFile = path;
    settings.variableAnalogDriverReady = settings.variableAnalogDriver.ready();
    const AnalogOutputEntryPoints& d = settings.variableAnalogDriver;
    VariableOutputDriverView view;
    if (d.description != nullptr) view.detail = driverText(d.description());
    if (d.outputName != nullptr) {
        view.outputName = driverText(d.outputName(0));
        view.formulaShown = utf8Length(view.outputName) >= 3;
    }
    view.calibrationShown = d.calibration != nullptr;
    return view;
}

VariableOutputConfirmation confirmVariableOutput(ProgramSettings& settings, std::string_view text,
                                                 bool active) {
    VariableOutputConfirmation result;
    Definis_Fonction("PAST", text, settings.variableOutputFormula);
    result.formulaError = formulaError;
    if (!result.formulaError) settings.variableOutputFormulaText = text;
    result.editText = settings.variableOutputFormulaText.str();
    settings.variableOutputActive = active;
    result.message = active ? kVariableOutputOnMessage : kVariableOutputOffMessage;
    return result;
}

bool updateVariableOutput(ProgramSettings& settings, double p, double a, double s, double t) {
    if (!settings.variableOutputActive || settings.variableAnalogDriver.setReal == nullptr) {
        return false;
    }
    // A formula error propagates from here: the step that called ends as every formula error.
    const double value = Evalue4(settings.variableOutputFormula, p, a, s, t);
    return setRealAnalogOutput(settings.variableAnalogDriver, 0, value);
}

}  // namespace qtl
