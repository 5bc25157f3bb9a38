// Screenshot mode.
#include "settings/windows/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "graph/windows/cursors_spectrum_example.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/modelling_screenshot.h"
#include "graph/windows/udcadrages10.h"
#include "graph/windows/udtemps10.h"
#include "graph/windows/urepere13.h"
#include "outputs/windows/output_commands.h"
#include "outputs/windows/udmatsf.h"
#include "outputs/windows/udmatsl.h"
#include "outputs/windows/udmatsv.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/about10.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/udmatp10.h"
#include "settings/windows/ugroschiffres.h"

namespace qtl {

namespace {

void settle() {
    // Give the window manager of a virtual display time to map and paint the window.
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

// A virtual display has no window manager, hence no title bars: draw one above the grab so
// the screenshot shows the caption (the banner's live values live there).
QPixmap withTitleBar(const QPixmap& body, const QString& title) {
    const int bar = 24;
    QPixmap shot(body.width(), body.height() + bar);
    shot.fill(QColor(40, 70, 130));
    QPainter painter(&shot);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 0, body.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, title);
    painter.drawPixmap(0, bar, body);
    return shot;
}

bool grabTo(QWidget& window, const QString& path) {
    const bool wasShown = window.isVisible();
    window.show();
    window.raise();
    settle();
    const bool saved = withTitleBar(window.grab(), window.windowTitle()).save(path, "PNG");
    if (!wasShown) window.hide();
    return saved;
}

// Each menu of the window's menu bar, drawn open, as "<prefix>_<menu object name>.png".
bool grabMenus(QMainWindow& window, const QDir& dir, const QString& prefix) {
    bool allSaved = true;
    for (QAction* entry : window.menuBar()->actions()) {
        QMenu* menu = entry->menu();
        if (menu == nullptr) continue;
        menu->adjustSize();
        const QString name = prefix + QLatin1Char('_') + menu->objectName() + ".png";
        allSaved = menu->grab().save(dir.filePath(name), "PNG") && allSaved;
    }
    return allSaved;
}

// Lets the event loop run (acquisition timers, redraws) for `ms` milliseconds.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A timed acquisition and a fast one from the main menu's commands, on the running settings,
// grabbed once they have drawn points; the settings they change are put back.
bool grabAcquisitions(TMainForm& form, const QDir& dir) {
    ProgramSettings& s = programSettings();
    const auto interval = s.intervalUs;
    const auto count = s.maxMeasurements;
    bool allSaved = true;
    const struct {
        void (TMainForm::*start)();
        std::int32_t intervalUs;
        std::uint16_t measurements;
        int runMs;
        const char* name;
    } runs[] = {
        {&TMainForm::mesuresftemps1Click, 100000, 40, 4300, "acquisition_temps.png"},
        {&TMainForm::prestissimo1Click, 1000, 600, 1500, "prestissimo.png"},
    };
    for (const auto& run : runs) {
        s.intervalUs = run.intervalUs;
        s.maxMeasurements = run.measurements;
        const std::size_t before = graphWindows().size();
        (form.*run.start)();
        runFor(run.runMs);
        const auto windows = graphWindows();
        if (windows.size() == before) {
            allSaved = false;
            continue;
        }
        Trepere* window = windows.back();
        window->Stop1Click();
        allSaved = grabTo(*window, dir.filePath(QString::fromLatin1(run.name))) && allSaved;
    }
    s.intervalUs = interval;
    s.maxMeasurements = count;
    return allSaved;
}

}  // namespace

QString screenshotFolderFrom(const QStringList& arguments) {
    const QString prefix = QStringLiteral("--captures=");
    QString folder = qEnvironmentVariable("QTL_CAPTURES");
    for (const QString& argument : arguments)
        if (argument.startsWith(prefix)) folder = argument.mid(prefix.size());
    return folder;
}

bool saveScreenshots(const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    ProgramWindows& w = programWindows();
    w.MainForm->timeractuelTimer();
    const QDir dir(folder);
    std::vector<std::pair<QWidget*, const char*>> shots = {
        {w.MainForm.get(), "main.png"},
        {w.fgroschiffres.get(), "gros_chiffres.png"},
        {w.AboutBox.get(), "a_propos.png"},
        {w.fdtemps.get(), "temps.png"},
    };
    prepareOutputDialogsExample(QString::fromStdString(programSettings().channelP.driverFile));
    shots.push_back({w.Fsortieslogiques.get(), "sorties_logiques.png"});
    shots.push_back({w.fsortiesfixes.get(), "sorties_fixes.png"});
    shots.push_back({w.fsortiev.get(), "sortie_variable.png"});
    Trepere* graph = adoptGraphWindow(std::make_unique<Trepere>());
    TcadrageDlg& framing = cadrageDlg();
    framing.FormShow();
    shots.push_back({graph, "fenetre_graphe.png"});
    shots.push_back({&framing, "cadrages.png"});
    Tfdmatp channelA('A', w.MainForm.get());
    shots.push_back({&channelA, "voie_a.png"});
    const CursorsSpectrumExample example = openCursorsSpectrumExample();
    shots.push_back({example.signal, "curseurs.png"});
    if (example.spectrum != nullptr) shots.push_back({example.spectrum, "spectre.png"});
    bool allSaved = true;
    for (const auto& [window, name] : shots)
        allSaved = grabTo(*window, dir.filePath(QString::fromLatin1(name))) && allSaved;
    allSaved = grabMenus(*w.MainForm, dir, QStringLiteral("menu_main")) && allSaved;
    allSaved = grabMenus(*graph, dir, QStringLiteral("menu_graphe")) && allSaved;
    allSaved = grabAcquisitions(*w.MainForm, dir) && allSaved;
    allSaved = saveModellingScreenshots(folder) && allSaved;
    return allSaved;
}

}  // namespace qtl
