// The processing commands of a graph window as one table: caption, object name, menu,
// enabling rule and the pure function that does the work. Windows build their items from it
// and only show what a command returns; a new analysis command is one more row.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "graph/graph_model.h"

namespace qtl {

enum class GraphMenu { Exploiter, Engendrer };

// A text asked of the user before the command runs; cancelling gives `defaultText`. The text
// obtained is echoed in the message box, then passed to the command.
struct ProcessingInput {
    std::string_view caption;
    std::string_view prompt;
    std::string_view defaultText;
};

struct ProcessingOutcome {
    std::string message;  // for the message box, when not empty
    // Points of a new window (both timers stopped, "Stop" and "Nouveau Point" disabled).
    std::optional<GraphModel> derived;
};

struct ProcessingCommand {
    std::string_view objectName;
    std::string_view caption;  // UTF-8
    GraphMenu menu;
    bool (*enabled)(const GraphModel& model);
    std::optional<ProcessingInput> input;
    // May change `model` (the window redraws) and may throw CommandError, which ends the
    // command with what it did so far.
    ProcessingOutcome (*run)(GraphModel& model, const std::string& input);
};

// In menu order: "statistiques", "transformer P=f(PAST)", "lissage P" (Exploiter), then
// "Dérivée P/X", "Intégration P/X" (Engendrer).
std::span<const ProcessingCommand> processingCommands();

// The row with this object name, or nullptr.
const ProcessingCommand* findProcessingCommand(std::string_view objectName);

}  // namespace qtl
