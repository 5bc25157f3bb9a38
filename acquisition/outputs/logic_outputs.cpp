// Logic outputs: driver choice and sending.
#include "outputs/logic_outputs.h"

#include <cstdint>
#include <string>

#include "settings/input_driver.h"
#include "settings/output_driver.h"

namespace qtl {

void chooseLogicOutputDriver(LogicOutputsState& state, std::string_view path) {
    state.names.clear();
    state.checked.clear();
    if (!path.empty()) {
        state.driver = loadLogicOutputDriver(path, DriverNameSet::Dialog);
        if (state.driver.description != nullptr) {
            state.description = driverText(state.driver.description());
        }
    }
    state.names = listDriverNames(state.driver.outputName, 2);
    state.checked.assign(state.names.size(), false);
}

int sendLogicOutputs(const LogicOutputsState& state) {
    if (state.driver.setOutput == nullptr) return 0;
    int calls = 0;
    for (std::size_t k = 0; k < state.names.size(); ++k) {
        const bool on = k < state.checked.size() && state.checked[k];
        setLogicOutput(state.driver, static_cast<std::int32_t>(k), on);
        ++calls;
    }
    return calls;
}

}  // namespace qtl
