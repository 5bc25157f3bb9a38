// Output driver loading for both name sets.
#include "settings/output_driver.h"

#include <cmath>
#include <limits>

#include "settings/dynamic_library.h"

namespace qtl {

const std::array<std::string_view, 4>& logicOutputDriverNames(DriverNameSet set) {
    static constexpr std::array<std::string_view, 4> kDialog = {"stddetail", "stdnsb", "stdsb", ""};
    static constexpr std::array<std::string_view, 4> kSettingsFile = {"detail", "NSB", "SB", "RSB"};
    return set == DriverNameSet::Dialog ? kDialog : kSettingsFile;
}

const std::array<std::string_view, 9>& analogOutputDriverNames(DriverNameSet set) {
    static constexpr std::array<std::string_view, 9> kDialog = {
        "stddetail", "stdtitre", "stdnsad", "", "", "stdsad", "", "", "stdcalibration"};
    static constexpr std::array<std::string_view, 9> kSettingsFile = {
        "detail", "", "NSA", "NSAD", "SA", "SAD", "RSA", "RSAD", ""};
    return set == DriverNameSet::Dialog ? kDialog : kSettingsFile;
}

namespace {

template <class Fn>
Fn lookUp(LibraryHandle library, std::string_view name) {
    return name.empty() ? nullptr : findEntryPoint<Fn>(library, name);
}

}  // namespace

LogicOutputEntryPoints loadLogicOutputDriver(std::string_view path, DriverNameSet set) {
    const LibraryHandle library = loadLibrary(path);
    const auto& n = logicOutputDriverNames(set);
    LogicOutputEntryPoints d;
    d.description = lookUp<qtl_pilote_text_fn>(library, n[0]);
    d.outputName = lookUp<qtl_pilote_name_fn>(library, n[1]);
    d.setOutput = lookUp<qtl_pilote_set_logic_fn>(library, n[2]);
    d.readOutput = lookUp<qtl_pilote_read_logic_fn>(library, n[3]);
    return d;
}

AnalogOutputEntryPoints loadAnalogOutputDriver(std::string_view path, DriverNameSet set) {
    const LibraryHandle library = loadLibrary(path);
    const auto& n = analogOutputDriverNames(set);
    AnalogOutputEntryPoints d;
    d.description = lookUp<qtl_pilote_text_fn>(library, n[0]);
    d.title = lookUp<qtl_pilote_text_fn>(library, n[1]);
    d.outputName = lookUp<qtl_pilote_name_fn>(library, n[2]);
    d.outputNameReal = lookUp<qtl_pilote_name_fn>(library, n[3]);
    d.setRaw = lookUp<qtl_pilote_set_raw_fn>(library, n[4]);
    d.setReal = lookUp<qtl_pilote_set_real_fn>(library, n[5]);
    d.readRaw = lookUp<qtl_pilote_read_raw_fn>(library, n[6]);
    d.readReal = lookUp<qtl_pilote_read_real_fn>(library, n[7]);
    d.calibration = lookUp<qtl_pilote_calibration_fn>(library, n[8]);
    return d;
}

bool loadOutputDriverFromSettingsFile(ProgramSettings& settings, OutputLibrary library,
                                      std::string_view path) {
    // The library is loaded before the path is stored: `path` may be the stored path itself.
    switch (library) {
        case OutputLibrary::Logic:
            settings.logicDriver = loadLogicOutputDriver(path, DriverNameSet::SettingsFile);
            settings.logicDriverFile = path;
            settings.logicDriverReady = settings.logicDriver.ready();
            return settings.logicDriverReady;
        case OutputLibrary::FixedAnalog:
            settings.fixedAnalogDriver = loadAnalogOutputDriver(path, DriverNameSet::SettingsFile);
            settings.fixedAnalogDriverFile = path;
            settings.fixedAnalogDriverReady = settings.fixedAnalogDriver.ready();
            return settings.fixedAnalogDriverReady;
        case OutputLibrary::VariableAnalog:
            settings.variableAnalogDriver =
                loadAnalogOutputDriver(path, DriverNameSet::SettingsFile);
            settings.variableAnalogDriverFile = path;
            settings.variableAnalogDriverReady = settings.variableAnalogDriver.ready();
            return settings.variableAnalogDriverReady;
    }
    return false;
}

bool setLogicOutput(const LogicOutputEntryPoints& driver, std::int32_t output, bool on) {
    if (driver.setOutput == nullptr) return false;
    driver.setOutput(output, on ? 1 : 0);
    return true;
}

bool setRealAnalogOutput(const AnalogOutputEntryPoints& driver, std::int32_t output, double value) {
    if (driver.setReal == nullptr || std::isnan(value)) return false;
    driver.setReal(output, value);
    return true;
}

bool setFixedAnalogOutput(const AnalogOutputEntryPoints& driver, std::int32_t output, double value,
                          bool rawConverterMode) {
    if (rawConverterMode) {
        if (driver.setRaw == nullptr || std::isnan(value)) return false;
        // Out-of-range doubles have no int32 value; the converter's ends are the honest answer.
        constexpr double kMin = std::numeric_limits<std::int32_t>::min();
        constexpr double kMax = std::numeric_limits<std::int32_t>::max();
        const double rounded = std::nearbyint(value);  // default mode: halves to even
        const double clamped = rounded < kMin ? kMin : (rounded > kMax ? kMax : rounded);
        driver.setRaw(output, static_cast<std::int32_t>(clamped));
        return true;
    }
    return setRealAnalogOutput(driver, output, value);
}

}  // namespace qtl
