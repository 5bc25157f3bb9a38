// The simulation driver's exports: both name sets for inputs, logic outputs and analog
// outputs. Texts are Windows-1252 and stay owned by the library.
#include <cstdint>
#include <string>

#include "qtl_pilote.h"
#include "simulation_signals.h"

namespace {

using simulation::laboratory;

const char* const kDescription =
    "Simulation : signaux calcul\xE9s en temps r\xE9"
    "el (sinus, triangle, bruit, charge RC), "
    "convertisseur 12 bits sur -10 V..+10 V, 4 sorties logiques et 2 sorties analogiques";
const char* const kTitle = "Simulation";

const char* const kInputNames[simulation::kInputCount] = {
    "sinus (V)", "triangle lent (V)", "bruit (V)", "charge RC (V)", "sortie analogique 0"};
const char* const kLogicNames[simulation::kLogicOutputCount] = {
    "sortie logique 0", "sortie logique 1", "sortie logique 2", "sortie logique 3"};
const char* const kAnalogNames[simulation::kAnalogOutputCount] = {"sortie analogique 0",
                                                                  "sortie analogique 1"};
const char* const kAnalogNamesVolts[simulation::kAnalogOutputCount] = {"sortie analogique 0 (V)",
                                                                       "sortie analogique 1 (V)"};

double readVolts(int32_t input) {
    // The read-back input needs no clock; it stays as cheap as a driver call can be.
    if (input == simulation::AnalogOutput0) return laboratory().analog(0);
    return laboratory().volts(input, simulation::secondsSinceLoad());
}

const char* name(const char* const* names, int count, int32_t index) {
    return index >= 0 && index < count ? names[index] : "";
}

const char* calibrate(const char* text) {
    static std::string answer;
    if (text != nullptr) laboratory().applySettings(text);
    answer = laboratory().settingsText();
    return answer.c_str();
}

}  // namespace

// ---- Inputs ----
QTL_PILOTE_API const char* QTL_PILOTE_CALL stddetail(void) {
    return kDescription;
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL detail(void) {
    return kDescription;
}

QTL_PILOTE_API int32_t QTL_PILOTE_CALL stdnea(void) {
    return simulation::kInputCount;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL NEA(void) {
    return simulation::kInputCount;
}

QTL_PILOTE_API int32_t QTL_PILOTE_CALL stdea(int32_t input) {
    return simulation::Laboratory::toCode(readVolts(input));
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL EA(int32_t input) {
    return stdea(input);
}

QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnead(int32_t index) {
    return name(kInputNames, simulation::kInputCount, index);
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL NEAD(int32_t index) {
    return stdnead(index);
}

QTL_PILOTE_API double QTL_PILOTE_CALL stdead(int32_t input) {
    return readVolts(input);
}
QTL_PILOTE_API double QTL_PILOTE_CALL EAD(int32_t input) {
    return readVolts(input);
}

// Settings text "amplitude=5;frequence=1": the signals follow it from the next reading.
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdcalibration(const char* text) {
    return calibrate(text);
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL calibration(const char* text) {
    return calibrate(text);
}

// ---- Logic outputs ----
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnsb(int32_t output) {
    return name(kLogicNames, simulation::kLogicOutputCount, output);
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL NSB(int32_t output) {
    return stdnsb(output);
}

QTL_PILOTE_API int32_t QTL_PILOTE_CALL stdsb(int32_t output, int32_t on) {
    return laboratory().setLogic(output, on != 0) ? 1 : 0;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL SB(int32_t output, int32_t on) {
    return stdsb(output, on);
}

QTL_PILOTE_API int32_t QTL_PILOTE_CALL RSB(int32_t output) {
    return laboratory().logic(output) ? 1 : 0;
}

// ---- Analog outputs ----
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdtitre(void) {
    return kTitle;
}

QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnsad(int32_t output) {
    return name(kAnalogNames, simulation::kAnalogOutputCount, output);
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL NSA(int32_t output) {
    return stdnsad(output);
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL NSAD(int32_t output) {
    return name(kAnalogNamesVolts, simulation::kAnalogOutputCount, output);
}

QTL_PILOTE_API double QTL_PILOTE_CALL stdsad(int32_t output, double volts) {
    laboratory().setAnalog(output, volts);
    return laboratory().analog(output);
}
QTL_PILOTE_API double QTL_PILOTE_CALL SAD(int32_t output, double volts) {
    return stdsad(output, volts);
}

QTL_PILOTE_API int32_t QTL_PILOTE_CALL SA(int32_t output, int32_t code) {
    return laboratory().setAnalog(output, simulation::Laboratory::fromCode(code)) ? 1 : 0;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL RSA(int32_t output) {
    return simulation::Laboratory::toCode(laboratory().analog(output));
}
QTL_PILOTE_API double QTL_PILOTE_CALL RSAD(int32_t output) {
    return laboratory().analog(output);
}
