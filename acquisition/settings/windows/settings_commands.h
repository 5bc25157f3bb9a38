// The main window's "sauver les réglages" and "lire des réglages": the file dialogs, then the
// settings file. A file error shows the error box and ends the command.
#pragma once

namespace qtl {

void saveSettingsCommand();
void readSettingsCommand();

}  // namespace qtl
