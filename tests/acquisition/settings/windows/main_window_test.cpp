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
#include "graph/graph_windows.h"
#include "graph/urepere13.h"
#include "graph/udtemps10.h"
#include "settings/Main13.h"
#include "settings/about10.h"
#include "settings/program_settings.h"
#include "settings/program_windows.h"
#include "settings/ugroschiffres.h"
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

TEST_F(MainWindow, MenuBarCaptionsInOrderWithTheWindowMenuHidden) {
    QStringList titles;
    QStringList visible;
    for (QAction* menu : form().menuBar()->actions()) {
        titles << menu->text();
        if (menu->isVisible()) visible << menu->text();
    }
    EXPECT_EQ(titles,
              (QStringList{"&Fichier", "Fe&nêtre", "Réglages", "Acquisition", "Options", "&Aide"}));
    EXPECT_EQ(visible, (QStringList{"&Fichier", "Réglages", "Acquisition", "Options", "&Aide"}));
}

TEST_F(MainWindow, EntriesWithCaptionsAndStartStates) {
    struct Entry {
        QMenu* menu;
        QStringList captions;  // "-" is a separator
    };
    const Entry entries[] = {
        {form().Fichier1, {"&Ouvrir", "-", "&Quitter"}},
        {form().Fentre1,
         {"&Cascade", "Mosaïque &horizontale", "Mosaïque &verticale", "&Tout réduire",
          "Tout ré&organiser"}},
        {form().Rglages1,
         {"temps", "matériel voie P", "matériel voie Aux", "Matériel voie Supp", "cadrages",
          "sorties logiques", "sorties analogiques fixes", "sorties analogiques variables",
          "seuils de déclenchement automatique"}},
        {form().Acquisition1,
         {"mesures = f(temps)", "ouvre fenêtre (décl. ultérieur)", "prestissimo", "point par point",
          "déclenchement automatique"}},
        {form().Options1,
         {"fichier mémo", "sauver les réglages", "lire des réglages", "gros chiffres"}},
        {form().Aide1, {"&A propos...", "Mode d'emploi F1"}},
    };
    for (const Entry& e : entries) {
        QStringList captions;
        for (QAction* a : e.menu->actions()) captions << (a->isSeparator() ? "-" : a->text());
        EXPECT_EQ(captions, e.captions) << e.menu->title().toStdString();
    }
    const QStringList disabled = {"seuils de déclenchement automatique",
                                  "ouvre fenêtre (décl. ultérieur)", "point par point",
                                  "déclenchement automatique"};
    const QStringList checkable = {"fichier mémo", "gros chiffres"};
    for (const Entry& e : entries) {
        for (QAction* a : e.menu->actions()) {
            if (a->isSeparator()) continue;
            EXPECT_EQ(a->isEnabled(), !disabled.contains(a->text())) << a->text().toStdString();
            EXPECT_EQ(a->isCheckable(), checkable.contains(a->text())) << a->text().toStdString();
            EXPECT_FALSE(a->isChecked());
            EXPECT_FALSE(a->statusTip().isEmpty()) << "menu hint for " << a->text().toStdString();
        }
    }
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

int readCommandsRun = 0;

TEST_F(MainWindow, EntriesThatOpenAGraphWindowSetOnlyTheirFields) {
    static const bool hooked = [] {
        Trepere::addExtension([](Trepere& w) {
            QObject::connect(w.lirefichier1, &QAction::triggered, [] { ++readCommandsRun; });
        });
        return true;
    }();
    ASSERT_TRUE(hooked);
    struct Case {
        const char* entry;
        void (TMainForm::*command)();
        bool pointTimerMode, acquisitionRunning;
        int reads;
    };
    // Disabled entries are run through their handlers: the readout tick or nothing enables them.
    const Case cases[] = {{"&Ouvrir", &TMainForm::Ouvrir1Click, false, true, 1},
                          {"point par point", &TMainForm::pointparpoint1Click, true, true, 0},
                          {"ouvre fenêtre", &TMainForm::ouvrefentre1Click, true, false, 0}};
    for (const Case& c : cases) {
        resetProgramSettings();
        destroyGraphWindows();
        readCommandsRun = 0;
        (form().*c.command)();
        const auto windows = graphWindows();
        ASSERT_EQ(windows.size(), 1u) << c.entry;
        EXPECT_TRUE(windows[0]->isVisible()) << c.entry;
        EXPECT_EQ(programSettings().pointTimerMode, c.pointTimerMode) << c.entry;
        EXPECT_EQ(programSettings().acquisitionRunning, c.acquisitionRunning) << c.entry;
        EXPECT_EQ(readCommandsRun, c.reads) << c.entry << ": the window's file reading";
    }
    EXPECT_TRUE(user.exchanges().empty());
}

}  // namespace
}  // namespace qtl
