// The file dialog the three output dialogs share: title, filter and the drivers folder.
#pragma once

#include <QString>

namespace qtl {

// Asks for a driver library. Returns the name the dialog holds afterwards: the chosen one, or
// `held` (the previous choice) when the user cancels.
QString chooseOutputDriverFile(const QString& held);

}  // namespace qtl
