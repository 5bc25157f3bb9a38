// The graph window: creation from the settings, menus, views, the axis dialog, closing.
#include "graph/urepere13.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <vector>

#include "graph/framing.h"
#include "graph/graph_windows.h"
#include "graph/udcadrages10.h"
#include "qtl_error.h"
#include "settings/clock.h"
#include "settings/program_settings.h"
#include "ui/chart.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

constexpr int kBurstIntervalMs = 1000;

std::vector<Trepere::Extension>& extensions() {
    static std::vector<Trepere::Extension> list;
    return list;
}

QAction* item(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* separator(QMenu* menu, const char* name, const QString& caption) {
    // A separator that keeps its name, as the menu lists it among its items.
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    action->setText(caption);
    return action;
}

}  // namespace

Trepere::Trepere(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("repere"));
    resize(640, 480);
    FormCreate();
}

Trepere::~Trepere() = default;

void Trepere::addExtension(Extension extension) {
    extensions().push_back(std::move(extension));
}

void Trepere::FormCreate() {
    const ProgramSettings& s = programSettings();

    // 1. The chart fills the client area (as the central widget it follows every resize).
    Chart1 = new Chart(model_, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    setCentralWidget(Chart1);
    timed = timedStateFromSettings(s, 0);

    // 2, 3. The timed timer; the burst timer waits for the main window's start command.
    Timerajoutepoint = new QTimer(this);
    Timerajoutepoint->setObjectName(QStringLiteral("Timerajoutepoint"));
    const TimedTimerSetup timer = timedTimerSetup(s);
    Timerajoutepoint->setInterval(timer.intervalMs);
    Timercontinu = new QTimer(this);
    Timercontinu->setObjectName(QStringLiteral("Timercontinu"));
    Timercontinu->setInterval(kBurstIntervalMs);
    connect(Timerajoutepoint, &QTimer::timeout, this, &Trepere::TimerajoutepointTimer);
    connect(Timercontinu, &QTimer::timeout, this, &Trepere::TimercontinuTimer);

    // 4 to 10. Styles, ranges, titles, active channels, the S axis.
    setUpGraphFromSettings(model_, s);

    // 11. Time origin of the timed acquisition, empty accumulators.
    timed.timeOrigin = elapsedSeconds();
    timed.clearAccumulators();

    // 12. Caption and menu.
    setWindowTitle(QStringLiteral("Mesures :"));
    buildMenu();
    Stop1->setText(s.acquisitionRunning ? QStringLiteral("Stop")
                                        : QStringLiteral("commencer les mesures"));
    MainMenu1Change();

    if (timer.enabled) Timerajoutepoint->start();
    for (const Extension& extend : extensions()) extend(*this);
}

void Trepere::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    Fichier1 = bar->addMenu(QStringLiteral("Fichier"));
    Fichier1->setObjectName(QStringLiteral("Fichier1"));
    lirefichier1 = item(Fichier1, "lirefichier1", QStringLiteral("lirefichier"));
    imprimer1 = item(Fichier1, "imprimer1", QStringLiteral("imprimer graphe"));
    sauvebmp = item(Fichier1, "sauvebmp", QStringLiteral("sauver graphe bmp"));
    sauvegrapheWMF = item(Fichier1, "sauvegrapheWMF", QStringLiteral("sauver graphe wmf"));
    N1 = separator(Fichier1, "N1", QStringLiteral("----------"));
    sauvegarder1 = item(Fichier1, "sauvegarder1", QStringLiteral("sauvegarder données"));
    sauvavecdtails1 = item(Fichier1, "sauvavecdtails1", QStringLiteral("sauv. avec détails"));
    exportersanstitres1 =
        item(Fichier1, "exportersanstitres1", QStringLiteral("exporter sans titres"));
    sauvegardervirgule =
        item(Fichier1, "sauvegardervirgule", QStringLiteral("sauvegarder (virgule)"));
    N2 = separator(Fichier1, "N2", QStringLiteral("--------"));
    fermer1 = item(Fichier1, "fermer1", QStringLiteral("fermer"));

    Editer1 = bar->addMenu(QStringLiteral("Editer"));
    Editer1->setObjectName(QStringLiteral("Editer1"));
    copierpoint = item(Editer1, "copierpoint", QStringLiteral("copier (point decimal)"));
    copiervirgule = item(Editer1, "copiervirgule", QStringLiteral("copier (virgule decimale)"));
    enjolivercadrages1 = item(Editer1, "enjolivercadrages1", QStringLiteral("enjoliver-cadrages"));

    Exploiter1 = bar->addMenu(QStringLiteral("Exploiter"));
    Exploiter1->setObjectName(QStringLiteral("Exploiter1"));
    statistiques1 = item(Exploiter1, "statistiques1", QStringLiteral("statistiques"));
    transformerPfPAST1 =
        item(Exploiter1, "transformerPfPAST1", QStringLiteral("transformer P=f(PAST)"));
    lissageP1 = item(Exploiter1, "lissageP1", QStringLiteral("lissage P"));
    driverPX1 = item(Exploiter1, "driverPX1", QStringLiteral("dériver P/X"));
    IntgrerPX1 = item(Exploiter1, "IntgrerPX1", QStringLiteral("Intégrer P/X"));

    Engendrer1 = bar->addMenu(QStringLiteral("Engendrer"));
    Engendrer1->setObjectName(QStringLiteral("Engendrer1"));
    TelQuel1 = item(Engendrer1, "TelQuel1", QStringLiteral("Tel Quel"));
    derivePX = item(Engendrer1, "derivePX", QStringLiteral("Dérivée P/X"));
    integerationPX = item(Engendrer1, "integerationPX", QStringLiteral("Intégration P/X"));
    PfX1 = item(Engendrer1, "PfX1", QStringLiteral("P=f(X)"));
    PfA1 = item(Engendrer1, "PfA1", QStringLiteral("P=f(A)"));
    PfS1 = item(Engendrer1, "PfS1", QStringLiteral("P=f(S)"));
    AfX1 = item(Engendrer1, "AfX1", QStringLiteral("A=f(X)"));
    AfS1 = item(Engendrer1, "AfS1", QStringLiteral("A=f(S)"));
    SfX1 = item(Engendrer1, "SfX1", QStringLiteral("S=f(X)"));
    FerquenceFFTP1 = item(Engendrer1, "FerquenceFFTP1", QStringLiteral("Fréquence FFT(P)"));

    Mesures1 = bar->addMenu(QStringLiteral("Mesures"));
    Mesures1->setObjectName(QStringLiteral("Mesures1"));
    Stop1 = item(Mesures1, "Stop1", QStringLiteral("Stop"));
    NouveauPoint1 = item(Mesures1, "NouveauPoint1", QStringLiteral("Nouveau Point"));

    // "dériver P/X", "Intégrer P/X", "Fréquence FFT(P)" and "Nouveau Point" stay inert.
    connect(fermer1, &QAction::triggered, this, &Trepere::fermer1Click);
    connect(enjolivercadrages1, &QAction::triggered, this, &Trepere::enjolivercadrages1Click);
    connect(TelQuel1, &QAction::triggered, this, &Trepere::TelQuel1Click);
    connect(PfX1, &QAction::triggered, this, &Trepere::PfX1Click);
    connect(PfA1, &QAction::triggered, this, &Trepere::PfA1Click);
    connect(PfS1, &QAction::triggered, this, &Trepere::PfS1Click);
    connect(AfX1, &QAction::triggered, this, &Trepere::AfX1Click);
    connect(AfS1, &QAction::triggered, this, &Trepere::AfS1Click);
    connect(SfX1, &QAction::triggered, this, &Trepere::SfX1Click);
    connect(Stop1, &QAction::triggered, this, &Trepere::Stop1Click);
    connect(Engendrer1, &QMenu::aboutToShow, this, &Trepere::MainMenu1Change);
    connect(Fichier1, &QMenu::aboutToShow, this, &Trepere::Fichier1Click);
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
    Timerajoutepoint->stop();
    Timercontinu->stop();
}

void Trepere::TimerajoutepointTimer() {
    emit timedStep(*this);
}

void Trepere::TimercontinuTimer() {
    emit burstStep(*this);
}

void Trepere::MainMenu1Change() {
    const ViewEnabling e = viewEnabling(model_);
    PfA1->setEnabled(e.PfA);
    AfX1->setEnabled(e.AfX);
    PfS1->setEnabled(e.PfS);
    SfX1->setEnabled(e.SfX);
    AfS1->setEnabled(e.AfS);
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
