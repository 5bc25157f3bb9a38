// The graph window's commands: its menus and the one table from which its menu bar and the
// tests are made.
#pragma once

#include <span>

#include "graph/acquisition_state.h"
#include "graph/graph_model.h"
#include "ui/command_table.h"

namespace qtl {

class Trepere;

// An enabling rule of the graph window reads its model and acquisition state; the window
// applies the rules when its menu changes (MainMenu1Change).
using GraphRule = bool (*)(const GraphModel&, const AcquisitionState&);
using GraphMenuEntry = WindowMenu<Trepere>;
using GraphCommand = WindowCommand<Trepere, GraphRule>;

std::span<const GraphMenuEntry> graphMenus();
std::span<const GraphCommand> graphCommands();

}  // namespace qtl
