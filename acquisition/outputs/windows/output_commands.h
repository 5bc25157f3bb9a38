// The main window's "Réglages" commands that show the three output dialogs modally.
#pragma once

#include <QString>

namespace qtl {

class TMainForm;

// "sorties logiques", "sorties analogiques fixes", "sorties analogiques variables".
void sortieslogiques1Click(TMainForm& form);
void sortiesanalogiquesfixes1Click(TMainForm& form);
void sortiesanalogiquesvariables1Click(TMainForm& form);

// Screenshots: the three kept dialogs with `driverFile` chosen in each and example settings
// (a logic output checked, a fixed value, a variable formula typed but not confirmed).
void prepareOutputDialogsExample(const QString& driverFile);

}  // namespace qtl
