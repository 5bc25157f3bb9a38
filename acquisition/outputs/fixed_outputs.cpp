// Fixed analog outputs: driver choice, held values and sending.
#include "outputs/fixed_outputs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "settings/input_driver.h"
#include "settings/output_driver.h"

namespace qtl {

double heldFixedOutputValue(double value) {
    if (std::isnan(value)) return 0.0;
    const double clamped = std::clamp(value, -kFixedOutputLimit, kFixedOutputLimit);
    constexpr double kScale = 10000.0;
    const double held = std::round(clamped * kScale) / kScale;
    return held == 0.0 ? 0.0 : held;  // no "-0" in an editor
}

bool setFixedOutputValue(FixedOutputsState& state, int index, double value) {
    if (index < 0 || index >= FixedOutputsState::kCount || std::isnan(value)) return false;
    state.values[static_cast<std::size_t>(index)] = heldFixedOutputValue(value);
    return true;
}

void chooseFixedOutputDriver(FixedOutputsState& state, std::string_view path) {
    if (!path.empty()) {
        state.driver = loadAnalogOutputDriver(path, DriverNameSet::Dialog);
        if (state.driver.description != nullptr && state.driver.title != nullptr) {
            state.title = driverText(state.driver.title());
        }
    }
    state.shown.fill(false);
    const auto names = listDriverNames(state.driver.outputName, 1);
    for (std::size_t i = 0; i < names.size() && i < state.names.size(); ++i) {
        state.names[i] = names[i];
        state.shown[i] = true;
    }
}

int sendFixedOutputs(const FixedOutputsState& state) {
    int calls = 0;
    for (int k = 0; k < FixedOutputsState::kCount; ++k) {
        if (setRealAnalogOutput(state.driver, static_cast<std::int32_t>(k),
                                state.values[static_cast<std::size_t>(k)])) {
            ++calls;
        }
    }
    return calls;
}

bool calibrateFixedOutputDriver(const FixedOutputsState& state) {
    if (state.driver.calibration == nullptr) return false;
    state.driver.calibration("");
    return true;
}

}  // namespace qtl
