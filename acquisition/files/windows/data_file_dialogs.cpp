// Save and read commands: dialogs through the Interaction, work in the core.
#include "files/windows/data_file_dialogs.h"

#include <QFileInfo>

#include "files/data_file_reader.h"
#include "files/data_file_writer.h"
#include "settings/program_settings.h"

namespace qtl {

FileDialogRequest saveDataRequest() {
    FileDialogRequest r;
    r.title = QStringLiteral("Sauvegarde des données dans un fichier");
    r.filter = QStringLiteral(
        "fichier texte CSV (. /,)|*.csv|fichier texte TAB ( . / tabulations)|*.tab|"
        "fichier DIF|*.dif");
    r.defaultExtension = QStringLiteral("tab");
    return r;
}

FileDialogRequest openDataRequest() {
    FileDialogRequest r;
    r.filter = QStringLiteral("fichier texte (, ; ou TAB)|*.*");
    return r;
}

void runSaveCommand(const GraphModel& model, SaveCommand command) {
    ProgramSettings& settings = programSettings();
    const SaveCommandScope flags(settings, command);
    const QString name = interaction().saveFileName(saveDataRequest());
    if (name.isEmpty()) return;
    interaction().showInformation(QStringLiteral("Information"), name);
    writeDataFile(QFileInfo(name).filesystemFilePath(), model, dataFileOptions(settings));
}

bool runReadCommand(GraphModel& model) {
    programSettings().pointTimerMode = false;
    const QString name = interaction().openFileName(openDataRequest());
    if (name.isEmpty()) return false;
    const QFileInfo info(name);
    if (!info.exists() || info.isDir()) {
        interaction().showInformation(
            QStringLiteral("Information"),
            QString::fromStdString(missingFileMessage(name.toStdString())));
        return false;
    }
    readDataFile(info.filesystemFilePath(), model);
    return true;
}

}  // namespace qtl
