// The graph window: creation from the settings, menus, views, the axis dialog, closing.
#include "graph/windows/urepere13.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "graph/acquisition_engine.h"
#include "graph/framing.h"
#include "graph/memo_file.h"
#include "graph/windows/graph_commands.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/udcadrages10.h"
#include "qtl_error.h"
#include "settings/clock.h"
#include "settings/program_settings.h"
#include "ui/chart.h"
#include "ui/interaction.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

constexpr int kBurstIntervalMs = 1000;

}  // namespace

Trepere::Trepere(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("repere"));
    resize(640, 480);
    FormCreate();
}

Trepere::~Trepere() = default;

void Trepere::FormCreate() {
    const ProgramSettings& s = programSettings();

    // 1. The chart fills the client area (as the central widget it follows every resize).
    Chart1 = new Chart(model_, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    setCentralWidget(Chart1);
    acquisition_.timed = timedStateFromSettings(s, 0);

    // 2, 3. The timed timer; the burst timer waits for the main window's start command.
    Timerajoutepoint = new QTimer(this);
    Timerajoutepoint->setObjectName(QStringLiteral("Timerajoutepoint"));
    const TimedTimerSetup timer = timedTimerSetup(s);
    Timerajoutepoint->setInterval(timer.intervalMs);
    // Precise timers: the default coarse ones may fire 5 % late, and points are due on time.
    Timerajoutepoint->setTimerType(Qt::PreciseTimer);
    Timercontinu = new QTimer(this);
    Timercontinu->setObjectName(QStringLiteral("Timercontinu"));
    Timercontinu->setInterval(kBurstIntervalMs);
    Timercontinu->setTimerType(Qt::PreciseTimer);
    connect(Timerajoutepoint, &QTimer::timeout, this, &Trepere::TimerajoutepointTimer);
    connect(Timercontinu, &QTimer::timeout, this, &Trepere::TimercontinuTimer);

    // 4 to 10. Styles, ranges, titles, active channels, the S axis. A refused stored range
    // is told once; the window opens all the same.
    if (const auto refusal = setUpGraphFromSettings(model_, s))
        interaction().showMessage(QString::fromStdString(*refusal));

    // 11. Time origin of the timed acquisition, empty accumulators.
    acquisition_.timed.timeOrigin = elapsedSeconds();
    acquisition_.timed.clearAccumulators();

    // 12. Caption and menu.
    setWindowTitle(QStringLiteral("Mesures :"));
    buildMenu();
    Stop1->setText(s.acquisitionRunning ? QStringLiteral("Stop")
                                        : QStringLiteral("commencer les mesures"));
    MainMenu1Change();

    if (timer.enabled) Timerajoutepoint->start();
}

void Trepere::buildMenu() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    commands_ = buildCommands<Trepere, GraphRule>(*this, graphMenus(), graphCommands());
    connect(Engendrer1, &QMenu::aboutToShow, this, &Trepere::MainMenu1Change);
    connect(Fichier1, &QMenu::aboutToShow, this, &Trepere::Fichier1Click);
}

QAction* Trepere::command(std::string_view objectName) const {
    const auto table = graphCommands();
    for (std::size_t i = 0; i < table.size() && i < commands_.size(); ++i) {
        if (objectName == table[i].objectName) return commands_[i];
    }
    return nullptr;
}

void Trepere::closeEvent(QCloseEvent* event) {
    // A hidden window cannot be shown again, so its timed acquisition stops too.
    Timercontinu->stop();
    Timerajoutepoint->stop();
    hide();
    event->ignore();
}

void Trepere::fermer1Click() {
    close();
}

void Trepere::Stop1Click() {
    stopAcquisition(*this);
}

// The engine's errors end the step, never the window: the box shows, the program goes on.
void Trepere::TimerajoutepointTimer() {
    try {
        timedStep({model_, acquisition_, *this}, programSettings(), memoFile());
    } catch (const CommandError& error) {
        reportCommandError(error);
    }
}

void Trepere::TimercontinuTimer() {
    try {
        burstStep({model_, acquisition_, *this}, programSettings());
    } catch (const CommandError& error) {
        reportCommandError(error);
    }
}

void Trepere::MainMenu1Change() {
    const auto table = graphCommands();
    for (std::size_t i = 0; i < table.size() && i < commands_.size(); ++i) {
        if (table[i].enabled != nullptr)
            commands_[i]->setEnabled(table[i].enabled(model_, acquisition_));
    }
}

// --- AcquisitionHost ---------------------------------------------------------------------

void Trepere::startTimedTimer() {
    Timerajoutepoint->start();
}
void Trepere::stopTimedTimer() {
    Timerajoutepoint->stop();
}
bool Trepere::timedTimerActive() const {
    return Timerajoutepoint->isActive();
}
void Trepere::startBurstTimer() {
    Timercontinu->start();
}
void Trepere::stopBurstTimer() {
    Timercontinu->stop();
}
bool Trepere::burstTimerActive() const {
    return Timercontinu->isActive();
}
void Trepere::redraw() {
    Chart1->redraw();
}
void Trepere::beep() {
    QApplication::beep();
}

void Trepere::Fichier1Click() {
    if (viewEnabling(model_).PfA) PfA1->setEnabled(true);
}

Trepere* Trepere::createDerivedWindow() {
    Trepere* w = adoptGraphWindow(std::make_unique<Trepere>());
    w->Timerajoutepoint->stop();
    w->Timercontinu->stop();
    w->Stop1->setEnabled(false);
    w->NouveauPoint1->setEnabled(false);
    return w;
}

Trepere* Trepere::openView(GraphView view) {
    Trepere* w = createDerivedWindow();
    fillView(view, model_, w->model());
    w->MainMenu1Change();
    w->show();
    return w;
}

Trepere* Trepere::TelQuel1Click() {
    return openView(GraphView::TelQuel);
}
Trepere* Trepere::PfX1Click() {
    return openView(GraphView::PfX);
}
Trepere* Trepere::AfX1Click() {
    return openView(GraphView::AfX);
}
Trepere* Trepere::SfX1Click() {
    return openView(GraphView::SfX);
}
Trepere* Trepere::PfA1Click() {
    return openView(GraphView::PfA);
}
Trepere* Trepere::PfS1Click() {
    return openView(GraphView::PfS);
}
Trepere* Trepere::AfS1Click() {
    return openView(GraphView::AfS);
}

void Trepere::enjolivercadrages1Click() {
    programSettings().framingFuture = false;
    TcadrageDlg& dialog = cadrageDlg();
    dialog.setValues(framingFromGraph(model_));
    if (dialog.ShowModal() != QDialog::Accepted) return;
    try {
        applyFraming(model_, dialog.values());
    } catch (const CommandError& refusal) {
        // The refusal ends the command; what was applied before it stays.
        reportCommandError(refusal);
    }
    // Ranges set by hand must show, even over a zoom.
    Chart1->resetZoom();
}

}  // namespace qtl
