// The main window's commands: its menus and the one table from which its menu bar, its tool
// bar and the tests are made.
#pragma once

#include <span>

#include "settings/program_settings.h"
#include "ui/command_table.h"

namespace qtl {

class TMainForm;

// An enabling rule of the main window reads the settings record; the readout tick applies it.
using MainRule = bool (*)(const ProgramSettings&);
using MainMenuEntry = WindowMenu<TMainForm>;
using MainCommand = WindowCommand<TMainForm, MainRule>;

std::span<const MainMenuEntry> mainMenus();
std::span<const MainCommand> mainCommands();

}  // namespace qtl
