// The main window: menu, tool bar, status line and the live readout tick.
#include "settings/Main13.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "graph/graph_windows.h"
#include "graph/udtemps10.h"
#include "graph/urepere13.h"
#include "settings/about10.h"
#include "settings/live_readout.h"
#include "settings/program_settings.h"
#include "settings/program_windows.h"
#include "settings/ugroschiffres.h"
#include "ui/interaction.h"
#include "ui/program_icon.h"

namespace qtl {

namespace {

QAction* entry(QMenu* menu, const char* name, const QString& caption, const QString& hint) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    return action;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("QTL"));
    setWindowIcon(programIcon());

    // A multi-document frame: workspace background, no child-window menu shown.
    ClientArea = new QMdiArea(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setMinimumSize(1, 1);  // the banner leaves the workspace almost no room
    setCentralWidget(ClientArea);

    buildMenus();

    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->addAction(Ouvrir1);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);

    timeractuel = new QTimer(this);
    timeractuel->setObjectName(QStringLiteral("timeractuel"));
    timeractuel->setInterval(1000);
    connect(timeractuel, &QTimer::timeout, this, &TMainForm::timeractuelTimer);
    timeractuel->start();
}

void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();

    Fichier1 = bar->addMenu(QStringLiteral("&Fichier"));
    Fichier1->setObjectName(QStringLiteral("Fichier1"));
    Ouvrir1 = entry(Fichier1, "Ouvrir1", QStringLiteral("&Ouvrir"),
                    QStringLiteral("Ouvre un fichier de mesures dans une nouvelle fenêtre"));
    Ouvrir1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Ouvrir1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    Fichier1->addSeparator();
    Quitter1 = entry(Fichier1, "Quitter1", QStringLiteral("&Quitter"),
                     QStringLiteral("Termine le programme"));

    Fentre1 = bar->addMenu(QStringLiteral("Fe&nêtre"));
    Fentre1->setObjectName(QStringLiteral("Fentre1"));
    Cascade1 = entry(Fentre1, "Cascade1", QStringLiteral("&Cascade"),
                     QStringLiteral("Dispose les fenêtres en cascade"));
    Mosaquehorizontale1 =
        entry(Fentre1, "Mosaquehorizontale1", QStringLiteral("Mosaïque &horizontale"),
              QStringLiteral("Dispose les fenêtres les unes sous les autres"));
    Mosaqueverticale1 = entry(Fentre1, "Mosaqueverticale1", QStringLiteral("Mosaïque &verticale"),
                              QStringLiteral("Dispose les fenêtres côte à côte"));
    Toutrduire1 = entry(Fentre1, "Toutrduire1", QStringLiteral("&Tout réduire"),
                        QStringLiteral("Réduit toutes les fenêtres"));
    Toutrorganiser1 = entry(Fentre1, "Toutrorganiser1", QStringLiteral("Tout ré&organiser"),
                            QStringLiteral("Range les icônes des fenêtres réduites"));
    Fentre1->menuAction()->setVisible(false);

    Rglages1 = bar->addMenu(QStringLiteral("Réglages"));
    Rglages1->setObjectName(QStringLiteral("Rglages1"));
    temps1 = entry(Rglages1, "temps1", QStringLiteral("temps"),
                   QStringLiteral("Intervalle, nombre de mesures et rafraichissement du bandeau"));
    matrielvoieP1 = entry(Rglages1, "matrielvoieP1", QStringLiteral("matériel voie P"),
                          QStringLiteral("Pilote et entrée de la voie principale"));
    matrielvoieAux1 = entry(Rglages1, "matrielvoieAux1", QStringLiteral("matériel voie Aux"),
                            QStringLiteral("Pilote et entrée de la voie auxiliaire"));
    MatrielvoieSupp1 = entry(Rglages1, "MatrielvoieSupp1", QStringLiteral("Matériel voie Supp"),
                             QStringLiteral("Pilote et entrée de la voie supplémentaire"));
    cadrages1 = entry(Rglages1, "cadrages1", QStringLiteral("cadrages"),
                      QStringLiteral("Cadrages des prochaines fenêtres de mesures"));
    sortieslogiques1 = entry(Rglages1, "sortieslogiques1", QStringLiteral("sorties logiques"),
                             QStringLiteral("Commande des sorties logiques"));
    sortiesanalogiquesfixes1 =
        entry(Rglages1, "sortiesanalogiquesfixes1", QStringLiteral("sorties analogiques fixes"),
              QStringLiteral("Commande des sorties analogiques fixes"));
    sortiesanalogiquesvariables1 = entry(
        Rglages1, "sortiesanalogiquesvariables1", QStringLiteral("sorties analogiques variables"),
        QStringLiteral("Sortie analogique qui suit une fonction des mesures"));
    seuilsdedclenchementautomatique1 = entry(Rglages1, "seuilsdedclenchementautomatique1",
                                             QStringLiteral("seuils de déclenchement automatique"),
                                             QStringLiteral("Seuils du déclenchement automatique"));
    seuilsdedclenchementautomatique1->setEnabled(false);

    Acquisition1 = bar->addMenu(QStringLiteral("Acquisition"));
    Acquisition1->setObjectName(QStringLiteral("Acquisition1"));
    mesuresftemps1 = entry(Acquisition1, "mesuresftemps1", QStringLiteral("mesures = f(temps)"),
                           QStringLiteral("Lance une acquisition en fonction du temps"));
    ouvrefentre1 =
        entry(Acquisition1, "ouvrefentre1", QStringLiteral("ouvre fenêtre (décl. ultérieur)"),
              QStringLiteral("Ouvre une fenêtre de mesures à déclencher plus tard"));
    ouvrefentre1->setEnabled(false);
    prestissimo1 = entry(Acquisition1, "prestissimo1", QStringLiteral("prestissimo"),
                         QStringLiteral("Acquisition rapide en continu"));
    pointparpoint1 = entry(Acquisition1, "pointparpoint1", QStringLiteral("point par point"),
                           QStringLiteral("Mesures à la demande, en fonction de la voie Aux"));
    pointparpoint1->setEnabled(false);
    dclenchementautomatique1 =
        entry(Acquisition1, "dclenchementautomatique1", QStringLiteral("déclenchement automatique"),
              QStringLiteral("Acquisition rapide lancée par un seuil"));
    dclenchementautomatique1->setEnabled(false);

    Options1 = bar->addMenu(QStringLiteral("Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    fichiermmo1 = entry(Options1, "fichiermmo1", QStringLiteral("fichier mémo"),
                        QStringLiteral("Enregistre aussi les mesures dans memo.csv"));
    fichiermmo1->setCheckable(true);
    sauverlesrglages1 = entry(Options1, "sauverlesrglages1", QStringLiteral("sauver les réglages"),
                              QStringLiteral("Enregistre les réglages dans un fichier"));
    liredesrglages1 = entry(Options1, "liredesrglages1", QStringLiteral("lire des réglages"),
                            QStringLiteral("Lit les réglages d'un fichier"));
    groschiffres1 = entry(Options1, "groschiffres1", QStringLiteral("gros chiffres"),
                          QStringLiteral("Affiche les valeurs actuelles en gros chiffres"));
    groschiffres1->setCheckable(true);

    Aide1 = bar->addMenu(QStringLiteral("&Aide"));
    Aide1->setObjectName(QStringLiteral("Aide1"));
    Apropos1 = entry(Aide1, "Apropos1", QStringLiteral("&A propos..."),
                     QStringLiteral("Version et description du programme"));
    Modedemploi1 = entry(Aide1, "Modedemploi1", QStringLiteral("Mode d'emploi F1"),
                         QStringLiteral("Mode d'emploi"));

    Nouveau1 = new QAction(QStringLiteral("&Nouveau"), this);
    Nouveau1->setObjectName(QStringLiteral("Nouveau1"));
    Nouveau1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addAction(Nouveau1);

    connect(Ouvrir1, &QAction::triggered, this, &TMainForm::Ouvrir1Click);
    connect(Quitter1, &QAction::triggered, this, &TMainForm::Quitter1Click);
    connect(Cascade1, &QAction::triggered, this, &TMainForm::Cascade1Click);
    connect(Mosaquehorizontale1, &QAction::triggered, this, &TMainForm::Mosaquehorizontale1Click);
    connect(Mosaqueverticale1, &QAction::triggered, this, &TMainForm::Mosaqueverticale1Click);
    connect(Toutrduire1, &QAction::triggered, this, &TMainForm::Toutrduire1Click);
    connect(Toutrorganiser1, &QAction::triggered, this, &TMainForm::Toutrorganiser1Click);
    connect(temps1, &QAction::triggered, this, &TMainForm::temps1Click);
    connect(matrielvoieP1, &QAction::triggered, this, &TMainForm::matrielvoieP1Click);
    connect(matrielvoieAux1, &QAction::triggered, this, &TMainForm::matrielvoieAux1Click);
    connect(MatrielvoieSupp1, &QAction::triggered, this, &TMainForm::MatrielvoieSupp1Click);
    connect(cadrages1, &QAction::triggered, this, &TMainForm::cadrages1Click);
    connect(sortieslogiques1, &QAction::triggered, this, &TMainForm::sortieslogiques1Click);
    connect(sortiesanalogiquesfixes1, &QAction::triggered, this,
            &TMainForm::sortiesanalogiquesfixes1Click);
    connect(sortiesanalogiquesvariables1, &QAction::triggered, this,
            &TMainForm::sortiesanalogiquesvariables1Click);
    connect(mesuresftemps1, &QAction::triggered, this, &TMainForm::mesuresftemps1Click);
    connect(ouvrefentre1, &QAction::triggered, this, &TMainForm::ouvrefentre1Click);
    connect(prestissimo1, &QAction::triggered, this, &TMainForm::prestissimo1Click);
    connect(pointparpoint1, &QAction::triggered, this, &TMainForm::pointparpoint1Click);
    connect(dclenchementautomatique1, &QAction::triggered, this,
            &TMainForm::dclenchementautomatique1Click);
    connect(fichiermmo1, &QAction::triggered, this, &TMainForm::fichiermmo1Click);
    connect(sauverlesrglages1, &QAction::triggered, this, &TMainForm::sauverlesrglages1Click);
    connect(liredesrglages1, &QAction::triggered, this, &TMainForm::liredesrglages1Click);
    connect(groschiffres1, &QAction::triggered, this, &TMainForm::groschiffres1Click);
    connect(Apropos1, &QAction::triggered, this, &TMainForm::Apropos1Click);
    connect(Modedemploi1, &QAction::triggered, this, &TMainForm::Modedemploi1Click);
    connect(Nouveau1, &QAction::triggered, this, &TMainForm::Nouveau1Click);
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
    timeractuel->setInterval(programSettings().statusRefreshMs);
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

void TMainForm::showChannelDialog() {}

void TMainForm::setAlwaysOnTop(bool on) {
    if (alwaysOnTop() == on) return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) show();  // changing the flags hides a shown window
}

bool TMainForm::alwaysOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TMainForm::cadrages1Click() { openFutureFraming(); }
void TMainForm::sortieslogiques1Click() {}
void TMainForm::sortiesanalogiquesfixes1Click() {}
void TMainForm::sortiesanalogiquesvariables1Click() {}

// --- Acquisition (timed and burst runs come with the acquisition engine) -------------------

void TMainForm::mesuresftemps1Click() {}
void TMainForm::ouvrefentre1Click() {
    // Measuring is started later from the window.
    Trepere* window = adoptGraphWindow(std::make_unique<Trepere>());
    programSettings().acquisitionRunning = false;
    window->show();
}
void TMainForm::prestissimo1Click() {}
void TMainForm::pointparpoint1Click() {
    openGraphWindow();
}
void TMainForm::dclenchementautomatique1Click() {}

// --- Options -------------------------------------------------------------------------------

void TMainForm::fichiermmo1Click() {
    programSettings().memoFileOn = fichiermmo1->isChecked();
}

void TMainForm::sauverlesrglages1Click() {}
void TMainForm::liredesrglages1Click() {}

void TMainForm::groschiffres1Click() {
    // The window's own close box hides it but leaves the mark: the next use of the entry
    // then only clears the mark.
    programWindows().fgroschiffres->setVisible(groschiffres1->isChecked());
}

// --- Aide ----------------------------------------------------------------------------------

void TMainForm::Apropos1Click() {
    interaction().execDialog(*programWindows().AboutBox);
}

void TMainForm::Modedemploi1Click() {}

void TMainForm::Nouveau1Click() { openGraphWindow(); }

// --- Live readout --------------------------------------------------------------------------

void TMainForm::timeractuelTimer() {
    ProgramSettings& settings = programSettings();
    pointparpoint1->setEnabled(pointByPointEnabled(settings));
    dclenchementautomatique1->setEnabled(autoTriggerEnabled(settings));
    const ReadoutTexts texts = readoutTexts(settings);
    setWindowTitle(QString::fromStdString(readoutCaption(texts)));
    if (Tfgroschiffres* digits = programWindows().fgroschiffres.get())
        digits->showTexts(QString::fromStdString(texts.p), QString::fromStdString(texts.a),
                          QString::fromStdString(texts.s));
}

}  // namespace qtl
