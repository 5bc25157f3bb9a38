// Start-up sequence of the program.
#include "settings/windows/startup.h"

#include <QDir>
#include <QTimer>
#include <clocale>
#include <vector>

#include "formula/formula.h"
#include "settings/windows/Main13.h"
#include "settings/clock.h"
#include "settings/input_driver.h"
#include "settings/program_settings.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/screenshots.h"
#include "settings/startup_config.h"
#include "ui/program_icon.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

std::function<void(const std::string&)>& startupReader() {
    static std::function<void(const std::string&)> reader;
    return reader;
}

// QTL_PILOTEP, QTL_PILOTEA, QTL_PILOTES name a driver library to load for the channel before
// the channel dialog exists (trying the program, screenshots).
void loadDriversFromEnvironment(ProgramSettings& settings) {
    for (char letter : {'P', 'A', 'S'}) {
        const QByteArray path = qgetenv((std::string("QTL_PILOTE") + letter).c_str());
        if (!path.isEmpty())
            loadInputDriver(settings.channel(letter), path.toStdString(), DriverNameSet::Dialog);
    }
}

}  // namespace

void setStartupSettingsReader(std::function<void(const std::string& path)> reader) {
    startupReader() = std::move(reader);
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
    if (settingsFile && startupReader()) startupReader()(*settingsFile);
    loadDriversFromEnvironment(programSettings());

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
