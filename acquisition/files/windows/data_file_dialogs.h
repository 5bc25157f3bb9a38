// The dialogs around the data file writer and reader, shared by the graph window's "Fichier"
// commands and the main window's "&Ouvrir": every box goes through the Interaction.
#pragma once

#include "files/save_command.h"
#include "graph/graph_model.h"
#include "ui/interaction.h"

namespace qtl {

// "Sauvegarde des données dans un fichier", the CSV/TAB/DIF filter, default extension "tab".
FileDialogRequest saveDataRequest();
// The open dialog: one filter for every file.
FileDialogRequest openDataRequest();

// One save command: its flags, the save dialog, an information box with the chosen name,
// then the writer. The flags go back whatever happens. Throws DataFileError on an I/O error
// (the application's handler shows it); cancelling writes nothing.
void runSaveCommand(const GraphModel& model, SaveCommand command);

// The read command: clears pointTimerMode, shows the open dialog, then "fichier inexistant : "
// for a missing file or reads it into the model. True when a file was read. Throws
// DataFileError on an I/O error, the points read before it kept.
bool runReadCommand(GraphModel& model);

}  // namespace qtl
