// Screenshot mode of the program (documentation and checks): every long-lived window is
// shown in turn, grabbed to a PNG file in the given folder, then the program ends.
#pragma once

#include <QString>
#include <QStringList>

namespace qtl {

// The folder of "--captures=DIR" (last one wins), else of the QTL_CAPTURES environment
// variable; empty when neither is given.
QString screenshotFolderFrom(const QStringList& arguments);

// Saves main.png, gros_chiffres.png, a_propos.png, temps.png, the three output dialogs
// (sorties_logiques.png, sorties_fixes.png, sortie_variable.png, with channel P's driver
// chosen in them), fenetre_graphe.png (an empty graph window), cadrages.png, curseurs.png
// (crosshair and measuring cursors), spectre.png (a spectrum window) and the two modelling
// pictures (modelisation.png, modelisation_graphe.png); false when one fails.
bool saveScreenshots(const QString& folder);

}  // namespace qtl
