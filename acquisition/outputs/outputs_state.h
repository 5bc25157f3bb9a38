// What the output dialogs show and the settings file saves and restores, without Qt: the six
// fixed analog output values with which of them are shown, and the logic outputs' names with
// their check marks. The dialogs display and change this state; they keep nothing else.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace qtl {

struct FixedOutputsState {
    static constexpr int kCount = 6;
    std::array<double, kCount> values{};  // in steps of 1/10000
    std::array<bool, kCount> shown{};     // the driver names the output (or a settings file set it)
};

struct LogicOutputsState {
    std::vector<std::string> names;  // one line per output, in output order
    std::vector<bool> checked;       // same size as names
};

struct OutputsState {
    LogicOutputsState logic;
    FixedOutputsState fixed;
};

// The program's one outputs state.
OutputsState& outputsState();

}  // namespace qtl
