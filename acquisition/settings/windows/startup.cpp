// Start-up sequence of the program.
#include "settings/windows/startup.h"

#include <QDir>
#include <QTimer>
#include <clocale>
#include <vector>

#include "formula/formula.h"
#include "qtl_error.h"
#include "settings/clock.h"
#include "settings/program_settings.h"
#include "settings/settings_file.h"
#include "settings/startup_config.h"
#include "settings/windows/Main13.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/screenshots.h"
#include "ui/program_icon.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

// The settings file at start-up, as "lire des réglages" reads it once its name is known; an
// unreadable file shows its error box and the program starts on what was read.
void readStartupSettingsFile(const std::string& path) {
    programSettings().externalPath = "";
    try {
        readProgramSettingsFile(path);
    } catch (const CommandError& error) {
        reportCommandError(error);
    }
}

std::function<void(const std::string&)>& startupReader() {
    static std::function<void(const std::string&)> reader = readStartupSettingsFile;
    return reader;
}

}  // namespace

void setStartupSettingsReader(std::function<void(const std::string& path)> reader) {
    startupReader() = reader ? std::move(reader) : readStartupSettingsFile;
}

TMainForm& startProgram(const QStringList& arguments, const QString& programFolder,
                        bool calibrateClock) {
    // 1. Formula library, settings defaults with the default formulas, microsecond clock.
    initialiseFormulaLibrary();
    resetProgramSettings();
    if (calibrateClock) calibrateMicrosecondClock();

    // 2. The long-lived windows, main window first.
    createProgramWindows();

    std::vector<std::string> plain;
    for (const QString& argument : arguments) plain.push_back(argument.toStdString());
    const std::optional<std::string> settingsFile =
        startupSettingsFile(plain, programFolder.toStdString());
    if (settingsFile) startupReader()(*settingsFile);

    // 3. The channel formulas again, from their texts.
    compileChannelFormulas(programSettings());

    // 4. The banner's size.
    TMainForm& mainForm = *programWindows().MainForm;
    mainForm.resize(450, 80);
    return mainForm;
}

int runQtl32(int argc, char** argv) {
    QtlApplication app(argc, argv);
    // Qt adopts the session's locale; numbers in files and captions always use the point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(programIcon());
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString screenshotFolder = screenshotFolderFrom(arguments);

    // The calibration's one-second wait buys nothing to a screenshot run.
    TMainForm& mainForm =
        startProgram(arguments, QApplication::applicationDirPath(), screenshotFolder.isEmpty());
    mainForm.show();

    if (!screenshotFolder.isEmpty()) {
        QTimer::singleShot(0, &app, [screenshotFolder] {
            const bool saved = saveScreenshots(screenshotFolder);
            QApplication::exit(saved ? 0 : 1);
        });
    }

    // 5. Closing the main window ends the program, even with graph windows still open.
    QObject::connect(&mainForm, &TMainForm::FormClose, &app, &QApplication::quit);
    const int code = app.exec();
    destroyProgramWindows();
    return code;
}

}  // namespace qtl
