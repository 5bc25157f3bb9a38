// The main window as the user meets it: start-up state, menu captions and enabled states,
// the readout tick, the timing dialog's effect on it and the big digits check mark.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include "formula/formula.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/udtemps10.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/about10.h"
#include "settings/windows/main_commands.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/ugroschiffres.h"
#include "testkit/command_table_check.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"

namespace qtl {
namespace {

using testkit::findAction;
using testkit::RecordedExchange;

double probeValue = 0;
const char* QTL_PILOTE_CALL probeDescription() {
    return "sonde";
}
double QTL_PILOTE_CALL probeReal(std::int32_t) {
    return probeValue;
}
const char* QTL_PILOTE_CALL probeName(std::int32_t index) {
    return index == 0 ? "EA0" : "";
}

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
        createProgramWindows();
    }
    void TearDown() override {
        destroyGraphWindows();
        destroyProgramWindows();
        resetProgramSettings();
    }

    TMainForm& form() { return *programWindows().MainForm; }
    QAction* action(const char* text) {
        QAction* found = findAction(form(), QString::fromUtf8(text));
        EXPECT_NE(found, nullptr) << text;
        return found;
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
};

TEST_F(MainWindow, StartsAsTheQtlBannerWithItsReadoutTimer) {
    EXPECT_EQ(form().windowTitle(), "QTL");
    EXPECT_TRUE(form().timeractuel->isActive());
    EXPECT_EQ(form().timeractuel->interval(), 1000);
    EXPECT_NE(form().statusBar(), nullptr);
    ASSERT_EQ(form().ToolBar1->actions().size(), 1);
    EXPECT_EQ(form().ToolBar1->actions().front(), form().Ouvrir1);
    EXPECT_EQ(form().Ouvrir1->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(form().Nouveau1->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_TRUE(form().actions().contains(form().Nouveau1)) << "reachable by shortcut";
}

TEST_F(MainWindow, MenusComeFromTheCommandTable) {
    testkit::expectCommandTable(
        form(), mainMenus(), mainCommands(),
        {{"&Fichier", {{"Ouvrir1", "&Ouvrir"}, {"", ""}, {"Quitter1", "&Quitter"}}},
         {"Fe&nêtre",
          {{"Cascade1", "&Cascade"},
           {"Mosaquehorizontale1", "Mosaïque &horizontale"},
           {"Mosaqueverticale1", "Mosaïque &verticale"},
           {"Toutrduire1", "&Tout réduire"},
           {"Toutrorganiser1", "Tout ré&organiser"}}},
         {"Réglages",
          {{"temps1", "temps"},
           {"matrielvoieP1", "matériel voie P"},
           {"matrielvoieAux1", "matériel voie Aux"},
           {"MatrielvoieSupp1", "Matériel voie Supp"},
           {"cadrages1", "cadrages"},
           {"sortieslogiques1", "sorties logiques"},
           {"sortiesanalogiquesfixes1", "sorties analogiques fixes"},
           {"sortiesanalogiquesvariables1", "sorties analogiques variables"},
           {"seuilsdedclenchementautomatique1", "seuils de déclenchement automatique"}}},
         {"Acquisition",
          {{"mesuresftemps1", "mesures = f(temps)"},
           {"ouvrefentre1", "ouvre fenêtre (décl. ultérieur)"},
           {"prestissimo1", "prestissimo"},
           {"pointparpoint1", "point par point"},
           {"dclenchementautomatique1", "déclenchement automatique"}}},
         {"Options",
          {{"fichiermmo1", "fichier mémo"},
           {"sauverlesrglages1", "sauver les réglages"},
           {"liredesrglages1", "lire des réglages"},
           {"groschiffres1", "gros chiffres"}}},
         {"&Aide", {{"Apropos1", "&A propos..."}, {"Modedemploi1", "Mode d'emploi F1"}}}});
    // What the table says of start states, check marks and hints, as the user must meet it.
    const QStringList disabled = {"seuils de déclenchement automatique",
                                  "ouvre fenêtre (décl. ultérieur)", "point par point",
                                  "déclenchement automatique"};
    const QStringList checkable = {"fichier mémo", "gros chiffres"};
    for (const MainCommand& c : mainCommands()) {
        if (c.separator || c.menu == nullptr) continue;
        const QString caption = QString::fromUtf8(c.caption);
        EXPECT_EQ(c.startsEnabled, !disabled.contains(caption)) << c.caption;
        EXPECT_EQ(c.checkable, checkable.contains(caption)) << c.caption;
        EXPECT_STRNE(c.hint, "") << "menu hint for " << c.caption;
    }
    EXPECT_EQ(form().command("Nouveau1"), form().Nouveau1);
}

TEST_F(MainWindow, ReadoutPeriodAtStartComesFromTheSettings) {
    destroyProgramWindows();
    programSettings().statusRefreshMs = 250;
    createProgramWindows();
    EXPECT_EQ(form().timeractuel->interval(), 250);
}

TEST_F(MainWindow, FirstTickReplacesTheCaption) {
    form().timeractuelTimer();
    EXPECT_EQ(form().windowTitle(), "QTL32 VP indisp.   VA indisp.   VS indisp.");
    const Tfgroschiffres& digits = *programWindows().fgroschiffres;
    EXPECT_EQ(digits.labelp->text(), "VP indisp.");
    EXPECT_EQ(digits.labelA->text(), "VA indisp.");
    EXPECT_EQ(digits.LabelS->text(), "VS indisp.");
    EXPECT_FALSE(digits.isVisible()) << "labels are set whether the window is shown or not";
}

TEST_F(MainWindow, TickShowsActiveChannelsAndSwitchesAcquisitionEntries) {
    ProgramSettings& s = programSettings();
    for (ChannelSettings* c : {&s.channelP, &s.channelA}) {
        c->driver.description = probeDescription;
        c->driver.realReading = probeReal;
        c->driver.inputName = probeName;
        c->active = true;
    }
    s.channelA.takeMeasurement = true;
    s.channelA.formulaText = "A*2";
    Definis_Fonction("PAST", "A*2", s.channelA.formula);
    s.intervalUs = 20000;
    probeValue = 1.25;

    form().timeractuelTimer();
    EXPECT_EQ(form().windowTitle(), "QTL32 VP:1.2500   VA:2.5000   VS indisp.");
    EXPECT_TRUE(form().pointparpoint1->isEnabled());
    EXPECT_TRUE(form().dclenchementautomatique1->isEnabled());
    EXPECT_EQ(programWindows().fgroschiffres->labelA->text(), "VA:2.5000");

    s.channelA.active = false;
    s.rawConverterMode = true;
    form().timeractuelTimer();
    EXPECT_FALSE(form().pointparpoint1->isEnabled());
    EXPECT_FALSE(form().dclenchementautomatique1->isEnabled());
    EXPECT_EQ(form().windowTitle(), "QTL32 VP: 777.00000   VA indisp.   VS indisp.")
        << "raw reading of a driver without the raw entry point";
}

TEST_F(MainWindow, TimerDrivesTheReadout) {
    form().timeractuel->setInterval(1);
    for (int i = 0; i < 20 && form().windowTitle() == "QTL"; ++i) {
        QThread::msleep(5);
        testkit::processEvents();
    }
    EXPECT_EQ(form().windowTitle(), "QTL32 VP indisp.   VA indisp.   VS indisp.");
}

TEST_F(MainWindow, TimingDialogAcceptedSetsFieldsAndReadoutPeriod) {
    user.queueDialog([](QDialog& dialog) {
        auto& timing = dynamic_cast<Tfdtemps&>(dialog);
        timing.Spinintervalle->setValue(2);
        timing.rbs->setChecked(true);
        timing.Spinbandeau->setValue(250);
        timing.OKBtn->click();
        return dialog.result();
    });
    form().temps1->trigger();
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].title, "Réglages temporels");
    EXPECT_EQ(programSettings().intervalUs, 2000000);
    EXPECT_EQ(programSettings().maxMeasurements, 200) << "dialog start value, not the default";
    EXPECT_EQ(programSettings().statusRefreshMs, 250);
    EXPECT_EQ(form().timeractuel->interval(), 250);
}

TEST_F(MainWindow, TimingDialogCancelledChangesNoFieldButSetsThePeriodAgain) {
    programSettings().statusRefreshMs = 300;
    form().timeractuel->setInterval(1000);
    user.queueDialog([](QDialog& dialog) {
        auto& timing = dynamic_cast<Tfdtemps&>(dialog);
        timing.Spinintervalle->setValue(7);
        timing.Spinbandeau->setValue(5000);
        timing.CancelBtn->click();
        return dialog.result();
    });
    form().temps1->trigger();
    EXPECT_EQ(programSettings().intervalUs, 1000000);
    EXPECT_EQ(programSettings().maxMeasurements, 100);
    EXPECT_EQ(form().timeractuel->interval(), 300);
    // The controls keep what the user left in them for the next opening.
    EXPECT_EQ(programWindows().fdtemps->Spinintervalle->value(), 7);
}

TEST_F(MainWindow, BigDigitsCheckMarkAndCloseBox) {
    Tfgroschiffres& digits = *programWindows().fgroschiffres;
    QAction* entry = form().groschiffres1;
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    EXPECT_TRUE(digits.isVisible());

    digits.close();  // its own close box
    EXPECT_FALSE(digits.isVisible());
    EXPECT_TRUE(entry->isChecked());

    entry->trigger();
    EXPECT_FALSE(entry->isChecked());
    EXPECT_FALSE(digits.isVisible());

    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    EXPECT_TRUE(digits.isVisible());
    digits.hide();
}

TEST_F(MainWindow, MemoFileEntryTogglesTheSetting) {
    form().fichiermmo1->trigger();
    EXPECT_TRUE(form().fichiermmo1->isChecked());
    EXPECT_TRUE(programSettings().memoFileOn);
    form().fichiermmo1->trigger();
    EXPECT_FALSE(programSettings().memoFileOn);
}

TEST_F(MainWindow, ChannelEntriesSetTheChannelAndLeaveTheBannerOnTop) {
    form().show();
    EXPECT_FALSE(form().alwaysOnTop());
    const std::pair<QAction*, char> entries[] = {
        {form().matrielvoieAux1, 'A'}, {form().MatrielvoieSupp1, 'S'}, {form().matrielvoieP1, 'P'}};
    for (const auto& [entry, letter] : entries) {
        entry->trigger();
        EXPECT_EQ(programSettings().currentChannel, letter);
        EXPECT_TRUE(form().alwaysOnTop());
        EXPECT_TRUE(form().isVisible());
    }
    form().hide();
}

TEST_F(MainWindow, AboutBoxIsShownModally) {
    user.queueDialog([](QDialog& dialog) {
        const auto texts = dialog.findChildren<QLabel*>();
        QStringList shown;
        for (const QLabel* l : texts) shown << l->text();
        EXPECT_TRUE(shown.contains("Quantrel pour Windows 32 bits"));
        EXPECT_TRUE(shown.filter("Version ").size() == 1);
        dynamic_cast<TAboutBox&>(dialog).OKButton->click();
        return dialog.result();
    });
    form().Apropos1->trigger();
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].kind, RecordedExchange::Kind::Dialog);
    EXPECT_EQ(user.exchanges()[0].title, "A propos");
    EXPECT_EQ(programWindows().AboutBox->result(), QDialog::Accepted);
    EXPECT_EQ(programWindows().AboutBox->OKButton->text(), "J'ai lu");
}

TEST_F(MainWindow, QuitClosesTheBannerAndSignalsTheEnd) {
    form().show();
    bool ended = false;
    QObject::connect(&form(), &TMainForm::FormClose, [&] { ended = true; });
    form().Quitter1->trigger();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(form().isVisible());
}

}  // namespace
}  // namespace qtl

namespace qtl {
namespace {

TEST_F(MainWindow, NewOpensAVisibleGraphWindowEachTimeWithoutTouchingSettings) {
    programSettings().acquisitionRunning = false;
    programSettings().pointTimerMode = true;
    QAction* nouveau = action("&Nouveau");
    ASSERT_NE(nouveau, nullptr);
    EXPECT_EQ(nouveau->shortcut(), QKeySequence("Ctrl+N"));
    nouveau->trigger();
    nouveau->trigger();
    const auto windows = graphWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_NE(windows[0], windows[1]);
    EXPECT_TRUE(windows[1]->isVisible());
    EXPECT_FALSE(programSettings().acquisitionRunning);
    EXPECT_TRUE(programSettings().pointTimerMode);
    EXPECT_TRUE(user.exchanges().empty());
}

TEST_F(MainWindow, FramingEntryShowsTheAxisDialogForTheFuture) {
    programSettings().framingFuture = false;
    user.queueDialog([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    form().cadrages1->trigger();
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].kind, RecordedExchange::Kind::Dialog);
    EXPECT_EQ(user.exchanges()[0].title, "cadrages FUTURS");
    EXPECT_TRUE(programSettings().framingFuture);
}

}  // namespace
}  // namespace qtl

namespace qtl {
namespace {

TEST_F(MainWindow, EntriesThatOpenAGraphWindowSetOnlyTheirFields) {
    struct Case {
        const char* entry;
        void (TMainForm::*command)();
        bool pointTimerMode, acquisitionRunning;
    };
    // Disabled entries are run through their handlers: the readout tick or nothing enables them.
    const Case cases[] = {{"&Ouvrir", &TMainForm::Ouvrir1Click, false, true},
                          {"point par point", &TMainForm::pointparpoint1Click, true, true},
                          {"ouvre fenêtre", &TMainForm::ouvrefentre1Click, true, false}};
    for (const Case& c : cases) {
        resetProgramSettings();
        destroyGraphWindows();
        (form().*c.command)();
        const auto windows = graphWindows();
        ASSERT_EQ(windows.size(), 1u) << c.entry;
        EXPECT_TRUE(windows[0]->isVisible()) << c.entry;
        EXPECT_EQ(programSettings().pointTimerMode, c.pointTimerMode) << c.entry;
        EXPECT_EQ(programSettings().acquisitionRunning, c.acquisitionRunning) << c.entry;
    }
    // Only "&Ouvrir" asks for a file (cancelled here: no answer queued).
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].kind, RecordedExchange::Kind::OpenFile);
}

}  // namespace
}  // namespace qtl
