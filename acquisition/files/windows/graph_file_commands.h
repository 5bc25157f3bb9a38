// Handlers of the graph window's data file commands ("Fichier" menu): the four saves and
// "lirefichier" (which the main window's "&Ouvrir" runs in a new window).
#pragma once

namespace qtl {

class Trepere;

void sauvegarder1Click(Trepere& window);
void sauvavecdtails1Click(Trepere& window);
void exportersanstitres1Click(Trepere& window);
void sauvegardervirguleClick(Trepere& window);
// Reads a file into the window and redraws it, also when the reading ends in an error.
void OpenDialogCanClose(Trepere& window);

}  // namespace qtl
