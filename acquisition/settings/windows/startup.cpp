// Start-up sequence of the program.
#include "settings/windows/startup.h"

#include <QDir>
#include <QTimer>
#include <clocale>
#include <cstdio>
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
#include "version.h"

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
    ProgramPlaces places;
    places.programFolder = programFolder.toStdString();
    places.startupSettingsFiles = {QDir(programFolder).filePath("QTL.CFG").toStdString()};
    return startProgram(arguments, places, calibrateClock);
}

std::optional<std::string> commandLineInformation(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--version")) {
            return std::string("qtl32 (Quantrel) ") + versionText() + "\n";
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return "Utilisation : qtl32 [FICHCONFIG=fichier]\n"
                   "Quantrel, atelier de mesures pour les laboratoires d'enseignement.\n"
                   "\n"
                   "  FICHCONFIG=fichier  lit ce fichier de réglages au démarrage\n"
                   "  --version           affiche la version et s'arrête\n"
                   "  --help              affiche cette aide et s'arrête\n"
                   "\n"
                   "Sans FICHCONFIG=, le programme lit le fichier QTL.CFG de l'utilisateur\n"
                   "s'il existe (installé : ~/.config/quantrel/QTL.CFG), sinon, installé, les\n"
                   "réglages de démonstration (pilote de simulation).\n";
        }
    }
    return std::nullopt;
}

TMainForm& startProgram(const QStringList& arguments, const ProgramPlaces& places,
                        bool calibrateClock) {
    // 1. Formula library, settings defaults with the default formulas, microsecond clock.
    initialiseFormulaLibrary();
    resetProgramSettings();
    if (calibrateClock) calibrateMicrosecondClock();

    // 2. The long-lived windows, main window first.
    createProgramWindows();

    std::vector<std::string> plain;
    for (const QString& argument : arguments) plain.push_back(argument.toStdString());
    const std::optional<std::string> settingsFile = startupSettingsFile(plain, places);
    if (settingsFile) startupReader()(*settingsFile);

    // 3. The channel formulas again, from their texts.
    compileChannelFormulas(programSettings());

    // 4. The banner's size.
    TMainForm& mainForm = *programWindows().MainForm;
    mainForm.resize(450, 80);
    return mainForm;
}

int runQtl32(int argc, char** argv) {
    // Answered before the application starts, so they work without a display.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i) rawArguments << QString::fromLocal8Bit(argv[i]);
    if (const auto information = commandLineInformation(rawArguments)) {
        std::fputs(information->c_str(), stdout);
        return 0;
    }
    QtlApplication app(argc, argv);
    // Qt adopts the session's locale; numbers in files and captions always use the point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(programIcon());
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString screenshotFolder = screenshotFolderFrom(arguments);

    // The calibration's one-second wait buys nothing to a screenshot run.
    setProgramFolder(QApplication::applicationDirPath().toStdString());
    TMainForm& mainForm = startProgram(arguments, programPlaces(), screenshotFolder.isEmpty());
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
