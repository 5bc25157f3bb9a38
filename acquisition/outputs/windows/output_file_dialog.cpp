// The output dialogs' driver file dialog.
#include "outputs/windows/output_file_dialog.h"

#include <QFileInfo>

#include "settings/dynamic_library.h"
#include "settings/program_places.h"
#include "ui/interaction.h"

namespace qtl {

QString chooseOutputDriverFile(const QString& held) {
    FileDialogRequest request;
    request.title = QStringLiteral("Choix du pilote (V. princ)");
    request.filter = QString::fromStdString(outputDriverFileFilter());
    // The drivers folder: a folder relative to the current one is empty when the program is
    // started from a desktop menu. After a choice, the dialog opens where it was made.
    request.directory = held.isEmpty() ? QString::fromStdString(programPlaces().driversFolder)
                                       : QFileInfo(held).absolutePath();
    request.fileName = held;
    const QString chosen = interaction().openFileName(request);
    return chosen.isEmpty() ? held : chosen;
}

}  // namespace qtl
