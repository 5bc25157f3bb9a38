// The main window: menu, tool bar, status line and the live readout tick.
#include "settings/windows/Main13.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "graph/memo_file.h"
#include "graph/start_commands.h"
#include "graph/timing_choice.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/udtemps10.h"
#include "graph/windows/urepere13.h"
#include "settings/live_readout.h"
#include "settings/program_places.h"
#include "settings/program_settings.h"
#include "settings/windows/about10.h"
#include "settings/windows/main_commands.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/udmatp10.h"
#include "settings/windows/ugroschiffres.h"
#include "ui/interaction.h"
#include "ui/program_icon.h"
#include "ui/qtl_application.h"

namespace qtl {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("QTL"));
    setWindowIcon(programIcon());

    // A multi-document frame: workspace background, no child-window menu shown.
    ClientArea = new QMdiArea(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setMinimumSize(1, 1);  // the banner leaves the workspace almost no room
    setCentralWidget(ClientArea);

    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    buildMenus();

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);

    timeractuel = new QTimer(this);
    timeractuel->setObjectName(QStringLiteral("timeractuel"));
    timeractuel->setInterval(readoutPeriodMs(programSettings()));
    connect(timeractuel, &QTimer::timeout, this, &TMainForm::timeractuelTimer);
    timeractuel->start();
}

void TMainForm::buildMenus() {
    commands_ = buildCommands<TMainForm, MainRule>(*this, mainMenus(), mainCommands(), ToolBar1);
}

QAction* TMainForm::command(std::string_view objectName) const {
    const auto table = mainCommands();
    for (std::size_t i = 0; i < table.size() && i < commands_.size(); ++i) {
        if (objectName == table[i].objectName) return commands_[i];
    }
    return nullptr;
}

void TMainForm::applyEnablingRules() {
    const ProgramSettings& settings = programSettings();
    const auto table = mainCommands();
    for (std::size_t i = 0; i < table.size() && i < commands_.size(); ++i) {
        if (table[i].enabled != nullptr) commands_[i]->setEnabled(table[i].enabled(settings));
    }
}

// --- Fichier -------------------------------------------------------------------------------

void TMainForm::Ouvrir1Click() {
    programSettings().pointTimerMode = false;
    openGraphWindow()->lirefichier1->trigger();
}

void TMainForm::Quitter1Click() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    emit FormClose();
}

// --- Fenêtre (hidden; graph windows are top-level, so these find no child) ------------------

void TMainForm::Cascade1Click() {
    ClientArea->cascadeSubWindows();
}
void TMainForm::Mosaquehorizontale1Click() {
    ClientArea->tileSubWindows();
}
void TMainForm::Mosaqueverticale1Click() {
    ClientArea->tileSubWindows();
}

void TMainForm::Toutrduire1Click() {
    for (QMdiSubWindow* child : ClientArea->subWindowList()) child->showMinimized();
}

void TMainForm::Toutrorganiser1Click() {
    ClientArea->tileSubWindows();
}

// --- Réglages ------------------------------------------------------------------------------

void TMainForm::temps1Click() {
    interaction().execDialog(*programWindows().fdtemps);
    // Accepted or not, the readout follows the record.
    timeractuel->setInterval(readoutPeriodMs(programSettings()));
}

void TMainForm::matrielvoieP1Click() {
    channelDialog('P');
}
void TMainForm::matrielvoieAux1Click() {
    channelDialog('A');
}
void TMainForm::MatrielvoieSupp1Click() {
    channelDialog('S');
}

void TMainForm::channelDialog(char letter) {
    programSettings().currentChannel = letter;
    // The dialog must be able to come above the banner while it is open.
    setAlwaysOnTop(false);
    showChannelDialog();
    setAlwaysOnTop(true);
}

void TMainForm::showChannelDialog() {
    // A fresh dialog for each use; the previous one goes once this one exists.
    auto* dialog = new Tfdmatp(programSettings().currentChannel, this);
    if (channelDialog_ != nullptr) channelDialog_->deleteLater();
    channelDialog_ = dialog;
    interaction().execDialog(*dialog);
}

void TMainForm::setAlwaysOnTop(bool on) {
    if (alwaysOnTop() == on) return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) show();  // changing the flags hides a shown window
}

bool TMainForm::alwaysOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TMainForm::cadrages1Click() {
    openFutureFraming();
}

// --- Acquisition ---------------------------------------------------------------------------

void TMainForm::mesuresftemps1Click() {
    // The window copies the settings as it is created, before the command changes them.
    auto window = std::make_unique<Trepere>();
    try {
        startTimedAcquisition(programSettings(), window->acquisition(), *window, memoFile(),
                              programPlaces().memoFile);
    } catch (const MemoFileError& error) {
        reportCommandError(error);  // the window is not shown (and not kept)
        return;
    }
    adoptGraphWindow(std::move(window))->show();
}

void TMainForm::prestissimo1Click() {
    auto window = std::make_unique<Trepere>();
    startFastAcquisition(programSettings(), window->acquisition(), *window);
    adoptGraphWindow(std::move(window))->show();
}

void TMainForm::ouvrefentre1Click() {
    // Measuring is started later from the window.
    Trepere* window = adoptGraphWindow(std::make_unique<Trepere>());
    programSettings().acquisitionRunning = false;
    window->show();
}
void TMainForm::pointparpoint1Click() {
    openGraphWindow();
}

// --- Options -------------------------------------------------------------------------------

void TMainForm::fichiermmo1Click() {
    programSettings().memoFileOn = fichiermmo1->isChecked();
}

void TMainForm::groschiffres1Click() {
    // The window's own close box hides it but leaves the mark: the next use of the entry
    // then only clears the mark.
    programWindows().fgroschiffres->setVisible(groschiffres1->isChecked());
}

// --- Aide ----------------------------------------------------------------------------------

void TMainForm::Apropos1Click() {
    interaction().execDialog(*programWindows().AboutBox);
}

void TMainForm::Nouveau1Click() {
    openGraphWindow();
}

// --- Live readout --------------------------------------------------------------------------

void TMainForm::timeractuelTimer() {
    ProgramSettings& settings = programSettings();
    applyEnablingRules();
    const ReadoutTexts texts = readoutTexts(settings);
    setWindowTitle(QString::fromStdString(readoutCaption(texts)));
    if (Tfgroschiffres* digits = programWindows().fgroschiffres.get())
        digits->showTexts(QString::fromStdString(texts.p), QString::fromStdString(texts.a),
                          QString::fromStdString(texts.s));
}

}  // namespace qtl
