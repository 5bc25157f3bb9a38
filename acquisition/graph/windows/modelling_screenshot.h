// Screenshots of modelling for the guide: a graph window with a damped oscillation and its
// fitted model, and the dialog that fitted it.
#pragma once

#include <QString>

namespace qtl {

// Saves modelisation.png (the dialog with its result) and modelisation_graphe.png (the window
// with the model curve) into the folder; false when one fails.
bool saveModellingScreenshots(const QString& folder);

}  // namespace qtl
