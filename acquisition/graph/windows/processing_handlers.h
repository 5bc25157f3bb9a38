// The graph window's side of the processing commands: ask the text a command needs, run the
// command on the window's model, show what it returns (a message, a redraw, a new window).
#pragma once

#include <string_view>

#include "graph/acquisition_state.h"
#include "graph/graph_model.h"

namespace qtl {

class Trepere;

// Runs the processing command with this object name on `window`. An error that ends the
// command (a formula arithmetic error) is shown in the error box; what was done stays.
void runProcessingCommand(Trepere& window, std::string_view objectName);

// The command's enabling rule, for the window's command table.
bool processingCommandEnabled(std::string_view objectName, const GraphModel& model);

}  // namespace qtl
