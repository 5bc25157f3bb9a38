// Settings file commands.
#include "settings/windows/settings_commands.h"

#include "outputs/outputs_state.h"
#include "qtl_error.h"
#include "settings/program_settings.h"
#include "settings/settings_file.h"
#include "ui/interaction.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

FileDialogRequest settingsFileRequest(const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("Fichiers de réglages (*.cfg);;Tous les fichiers (*)");
    return request;
}

}  // namespace

void saveSettingsCommand() {
    const QString name =
        interaction().saveFileName(settingsFileRequest(QStringLiteral("Sauver les réglages")));
    if (name.isEmpty()) return;
    try {
        saveSettingsFile(withSettingsExtension(name.toStdString()), programSettings(),
                         outputsState());
    } catch (const CommandError& error) {
        reportCommandError(error);
    }
}

void readSettingsCommand() {
    programSettings().externalPath = "";  // even when the reading is then abandoned
    const QString name =
        interaction().openFileName(settingsFileRequest(QStringLiteral("Lire des réglages")));
    if (name.isEmpty()) return;
    try {
        readProgramSettingsFile(name.toStdString());
    } catch (const CommandError& error) {
        reportCommandError(error);
    }
}

}  // namespace qtl
