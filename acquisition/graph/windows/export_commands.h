// Handlers of the graph window's copy, print and picture commands: the numbers to the
// clipboard, the chart to the printer, to a Windows bitmap file and to a Windows metafile.
#pragma once

namespace qtl {

class Trepere;

// "Editer", "copier (point decimal)" and "copier (virgule decimale)".
void copierpointClick(Trepere& window);
void copiervirguleClick(Trepere& window);
// "Fichier", "imprimer graphe": the printer dialog, then the chart on one landscape page.
void imprimer1Click(Trepere& window);
// "Fichier", "sauver graphe bmp" and "sauver graphe wmf": the save dialog, then the file.
void sauvebmpClick(Trepere& window);
void sauvegrapheWMFClick(Trepere& window);

}  // namespace qtl
