// The graph window as the user meets it: creation from the settings, its menu, timers,
// closing, the views and their enabling rules.
#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>

#include "graph/windows/graph_commands.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "testkit/command_table_check.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/chart.h"

namespace qtl {
namespace {

class GraphWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
    }
    void TearDown() override {
        destroyGraphWindows();
        resetProgramSettings();
    }

    static std::vector<std::pair<double, double>> pointsOf(const DataSeries& s) {
        std::vector<std::pair<double, double>> p;
        for (std::size_t i = 0; i < s.count(); ++i) p.emplace_back(s.x(i), s.y(i));
        return p;
    }

    // A window with nP, nA, nS points: X = i, P = i, A = 10 + i, S = 100 - i.
    static Trepere* windowWith(std::size_t nP, std::size_t nA, std::size_t nS) {
        Trepere* w = openGraphWindow();
        for (std::size_t i = 0; i < nP; ++i) w->model().addPoint(Channel::P, double(i), double(i));
        for (std::size_t i = 0; i < nA; ++i) w->model().addPoint(Channel::A, double(i), 10.0 + i);
        for (std::size_t i = 0; i < nS; ++i) w->model().addPoint(Channel::S, double(i), 100.0 - i);
        return w;
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
};

TEST_F(GraphWindow, MenusComeFromTheCommandTable) {
    Trepere* w = openGraphWindow();
    testkit::expectCommandTable(
        *w, graphMenus(), graphCommands(),
        {{"Fichier",
          {{"lirefichier1", "lirefichier"},
           {"imprimer1", "imprimer graphe"},
           {"sauvebmp", "sauver graphe bmp"},
           {"sauvegrapheWMF", "sauver graphe wmf"},
           {"N1", "----------"},
           {"sauvegarder1", "sauvegarder données"},
           {"sauvavecdtails1", "sauv. avec détails"},
           {"exportersanstitres1", "exporter sans titres"},
           {"sauvegardervirgule", "sauvegarder (virgule)"},
           {"N2", "--------"},
           {"fermer1", "fermer"}}},
         {"Editer",
          {{"copierpoint", "copier (point decimal)"},
           {"copiervirgule", "copier (virgule decimale)"},
           {"enjolivercadrages1", "enjoliver-cadrages"}}},
         {"Exploiter",
          {{"statistiques1", "statistiques"},
           {"transformerPfPAST1", "transformer P=f(PAST)"},
           {"lissageP1", "lissage P"},
           {"driverPX1", "dériver P/X"},
           {"IntgrerPX1", "Intégrer P/X"},
           {"Reticule1", "Réticule"},
           {"Curseurs1", "curseurs de mesure"},
           {"modeliser1", "modéliser…"}}},
         {"Engendrer",
          {{"TelQuel1", "Tel Quel"},
           {"derivePX", "Dérivée P/X"},
           {"integerationPX", "Intégration P/X"},
           {"PfX1", "P=f(X)"},
           {"PfA1", "P=f(A)"},
           {"PfS1", "P=f(S)"},
           {"AfX1", "A=f(X)"},
           {"AfS1", "A=f(S)"},
           {"SfX1", "S=f(X)"},
           {"FerquenceFFTP1", "Fréquence FFT(P)"}}},
         {"Mesures", {{"Stop1", "Stop"}, {"NouveauPoint1", "Nouveau Point"}}}});
    EXPECT_EQ(w->command("sauvegarder1"), w->sauvegarder1);
    EXPECT_EQ(w->command("nothing"), nullptr);
    EXPECT_EQ(w->windowTitle(), "Mesures :");
    EXPECT_EQ(w->objectName(), "repere");
}

TEST_F(GraphWindow, CreationTakesTimersFromTheSettings) {
    struct Case {
        bool pointTimerMode;
        bool running;
        std::int32_t intervalUs;
        std::int32_t repeats;
        int intervalMs;
        bool timedActive;
        const char* stopCaption;
    };
    const Case cases[] = {
        {true, true, 1'000'000, 10, 100, true, "Stop"},
        {false, true, 1'000'000, 10, 100, false, "Stop"},
        {true, false, 2'000'000, 4, 500, true, "commencer les mesures"},
        {true, true, 20'000, 1, 20, false, "Stop"},  // below the oscillo threshold
    };
    for (const auto& c : cases) {
        programSettings().pointTimerMode = c.pointTimerMode;
        programSettings().acquisitionRunning = c.running;
        programSettings().intervalUs = c.intervalUs;
        programSettings().repeatsPerMeasurement = c.repeats;
        programSettings().maxMeasurements = 77;
        Trepere w;
        EXPECT_EQ(w.Timerajoutepoint->interval(), c.intervalMs);
        EXPECT_EQ(w.Timerajoutepoint->isActive(), c.timedActive);
        EXPECT_FALSE(w.Timercontinu->isActive());
        EXPECT_EQ(w.Timercontinu->interval(), 1000);
        EXPECT_EQ(w.Stop1->text(), QString::fromUtf8(c.stopCaption));
        EXPECT_EQ(w.acquisition().timed.pointLimit, 77);
        EXPECT_EQ(w.acquisition().timed.pointCounter, 0);
        EXPECT_EQ(w.acquisition().timed.repeatsPerMeasurement, c.repeats);
        EXPECT_FALSE(w.acquisition().fastBurst);
    }
}

TEST_F(GraphWindow, CreationAppliesTheLookAndLaterSettingsDoNotTouchIt) {
    programSettings().continuousLine = false;
    programSettings().channelA.active = false;
    programSettings().seriesSOnLeft = false;
    programSettings().chartTitle = "Pendule";
    Trepere w;
    EXPECT_EQ(w.model().line(Channel::P).style().lineStyle, PenStyle::Dash);
    EXPECT_EQ(w.model().line(Channel::S).style().lineWidth, 1);
    EXPECT_FALSE(w.model().rightAxis().visible());
    EXPECT_EQ(w.model().points(Channel::S).style().axis, VerticalAxis::Right);
    EXPECT_EQ(w.model().chartTitle(), "Pendule");
    programSettings().chartTitle = "autre";
    programSettings().continuousLine = true;
    EXPECT_EQ(w.model().chartTitle(), "Pendule");
    EXPECT_EQ(w.model().line(Channel::P).style().lineStyle, PenStyle::Dash);
}

TEST_F(GraphWindow, ChartFillsTheClientArea) {
    Trepere* w = openGraphWindow();
    w->resize(500, 300);
    testkit::processEvents();
    EXPECT_EQ(w->centralWidget(), w->Chart1);
    EXPECT_EQ(w->Chart1->width(), 500);
    EXPECT_EQ(w->Chart1->height(), 300 - w->menuBar()->height());
    w->resize(800, 600);
    testkit::processEvents();
    EXPECT_EQ(w->Chart1->width(), 800);
    EXPECT_EQ(w->Chart1->height(), 600 - w->menuBar()->height());
}

TEST_F(GraphWindow, StopAndCloseStopBothTimers) {
    Trepere* w = openGraphWindow();
    w->Timercontinu->start();
    ASSERT_TRUE(w->Timerajoutepoint->isActive());
    w->Stop1->trigger();
    EXPECT_FALSE(w->Timerajoutepoint->isActive());
    EXPECT_FALSE(w->Timercontinu->isActive());

    Trepere* other = openGraphWindow();
    other->Timercontinu->start();
    other->fermer1->trigger();
    EXPECT_FALSE(other->isVisible());
    EXPECT_FALSE(other->Timerajoutepoint->isActive());
    EXPECT_FALSE(other->Timercontinu->isActive());
    // Closing hides: the window and its points are still there.
    EXPECT_EQ(graphWindows().size(), 2u);
}

TEST_F(GraphWindow, TimerEventsReachTheAcquisitionEngine) {
    // A window made after a timed experiment measures by itself: P without a driver reads 777.
    Trepere w;
    ASSERT_TRUE(w.Timerajoutepoint->isActive());
    EXPECT_EQ(w.Timerajoutepoint->timerType(), Qt::PreciseTimer);
    QMetaObject::invokeMethod(w.Timerajoutepoint, "timeout");
    ASSERT_EQ(w.model().points(Channel::P).count(), 1u);
    EXPECT_EQ(w.model().points(Channel::P).y(0), 777);
    EXPECT_EQ(w.acquisition().timed.pointCounter, 1);
    // A burst replaces the block; the timer is restarted after it.
    programSettings().maxMeasurements = 3;
    w.acquisition().fastBurst = true;
    w.Timercontinu->start();
    QMetaObject::invokeMethod(w.Timercontinu, "timeout");
    EXPECT_EQ(w.model().points(Channel::P).count(), 2u);
    EXPECT_EQ(w.acquisition().timed.pointLimit, 3);
    EXPECT_TRUE(w.Timercontinu->isActive());
    w.Stop1->trigger();
    EXPECT_FALSE(w.Timercontinu->isActive());
    EXPECT_FALSE(w.Timerajoutepoint->isActive());
}

TEST_F(GraphWindow, HostInterfaceDrivesTheTimersAndTheChart) {
    Trepere w;
    AcquisitionHost& host = w;
    host.stopTimedTimer();
    EXPECT_FALSE(w.Timerajoutepoint->isActive());
    EXPECT_FALSE(host.timedTimerActive());
    host.startBurstTimer();
    EXPECT_TRUE(w.Timercontinu->isActive());
    EXPECT_TRUE(host.burstTimerActive());
    host.startTimedTimer();
    EXPECT_TRUE(host.timedTimerActive());
    host.stopBurstTimer();
    EXPECT_FALSE(w.Timercontinu->isActive());
    w.Stop1->trigger();
    EXPECT_FALSE(host.timedTimerActive());
    QCPGraph* drawnP = w.Chart1->findChild<QCustomPlot*>()->graph(0);
    w.model().addPoint(Channel::P, 1, 2);
    EXPECT_EQ(drawnP->dataCount(), 0);
    host.redraw();  // takes the point at once, with no poll in between
    EXPECT_EQ(drawnP->dataCount(), 1);
}

TEST_F(GraphWindow, InvertedStoredRangeIsToldOnceForEachWindowThatStillOpens) {
    programSettings().minYP = 500;
    programSettings().maxYP = 100;
    programSettings().minYA = 9;
    programSettings().maxYA = 1;
    Trepere* first = openGraphWindow();
    EXPECT_TRUE(first->isVisible());
    ASSERT_EQ(user.exchanges().size(), 1u) << "one message, though both ranges are refused";
    EXPECT_EQ(user.exchanges()[0].kind, testkit::RecordedExchange::Kind::Message);
    EXPECT_EQ(user.exchanges()[0].text, QString::fromUtf8(kAxisMinimumRefused));
    openGraphWindow();
    EXPECT_EQ(user.exchanges().size(), 2u) << "and again for the next window";
    programSettings().maxYP = 600;
    programSettings().maxYA = 10;
    openGraphWindow();
    EXPECT_EQ(user.exchanges().size(), 2u);
}

struct ViewCase {
    const char* caption;
    std::size_t nP, nA, nS;
};

TEST_F(GraphWindow, EveryViewOpensAStoppedWindowAndLeavesTheSourceAlone) {
    const ViewCase cases[] = {{"Tel Quel", 5, 5, 5}, {"P=f(X)", 5, 5, 5}, {"A=f(X)", 5, 5, 5},
                              {"S=f(X)", 5, 5, 5},   {"P=f(A)", 5, 5, 5}, {"P=f(S)", 5, 5, 5},
                              {"A=f(S)", 5, 5, 5}};
    for (const auto& c : cases) {
        Trepere* src = windowWith(c.nP, c.nA, c.nS);
        const auto before = graphWindows().size();
        QAction* view = testkit::findAction(*src, QString::fromUtf8(c.caption));
        ASSERT_NE(view, nullptr) << c.caption;
        emit src->Engendrer1->aboutToShow();
        ASSERT_TRUE(view->isEnabled()) << c.caption;
        view->trigger();
        ASSERT_EQ(graphWindows().size(), before + 1) << c.caption;
        Trepere* made = graphWindows().back();
        EXPECT_TRUE(made->isVisible());
        EXPECT_FALSE(made->Timerajoutepoint->isActive());
        EXPECT_FALSE(made->Timercontinu->isActive());
        EXPECT_FALSE(made->Stop1->isEnabled());
        EXPECT_FALSE(made->NouveauPoint1->isEnabled());
        EXPECT_EQ(made->model().points(Channel::P).count(), 5u) << c.caption;
        EXPECT_EQ(src->model().points(Channel::P).count(), c.nP);
        EXPECT_EQ(made->windowTitle(), "Mesures :");
    }
}

TEST_F(GraphWindow, ViewContents) {
    Trepere* src = windowWith(4, 4, 4);
    Trepere* telQuel = src->TelQuel1Click();
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(pointsOf(telQuel->model().series(n)), pointsOf(src->model().series(n)));
    }
    // Acquiring in the first does not change the second.
    src->model().addPoint(Channel::P, 9, 9);
    EXPECT_EQ(telQuel->model().points(Channel::P).count(), 4u);

    Trepere* afx = src->AfX1Click();
    EXPECT_EQ(pointsOf(afx->model().points(Channel::P)), pointsOf(src->model().points(Channel::A)));
    EXPECT_EQ(afx->model().points(Channel::A).count(), 0u);

    Trepere* afs = src->AfS1Click();
    using P = std::vector<std::pair<double, double>>;
    EXPECT_EQ(pointsOf(afs->model().points(Channel::P)),
              (P{{97, 13}, {98, 12}, {99, 11}, {100, 10}}));
    EXPECT_EQ(pointsOf(afs->model().line(Channel::P)), pointsOf(afs->model().points(Channel::P)));
    // The new window's titles stay those of its own creation.
    EXPECT_EQ(afs->model().bottomAxis().title(), "temps");
}

TEST_F(GraphWindow, PairingViewOfAnEmptySourceIsEmpty) {
    Trepere* src = windowWith(0, 0, 0);
    Trepere* made = src->PfA1Click();
    EXPECT_EQ(made->model().points(Channel::P).count(), 0u);
}

TEST_F(GraphWindow, ViewsFollowTheEnablingRules) {
    struct Case {
        std::size_t nA, nS;
        bool pfa, afx, afs, pfs, sfx;
    };
    const Case cases[] = {
        {0, 0, false, false, false, false, false},
        {3, 2, true, true, false, false, false},
        {2, 3, false, false, false, true, true},
        {3, 3, true, true, true, true, true},
    };
    for (const auto& c : cases) {
        Trepere* w = windowWith(6, c.nA, c.nS);
        emit w->Engendrer1->aboutToShow();
        EXPECT_EQ(w->PfA1->isEnabled(), c.pfa) << c.nA << "," << c.nS;
        EXPECT_EQ(w->AfX1->isEnabled(), c.afx) << c.nA << "," << c.nS;
        EXPECT_EQ(w->AfS1->isEnabled(), c.afs) << c.nA << "," << c.nS;
        EXPECT_EQ(w->PfS1->isEnabled(), c.pfs) << c.nA << "," << c.nS;
        EXPECT_EQ(w->SfX1->isEnabled(), c.sfx) << c.nA << "," << c.nS;
        EXPECT_TRUE(w->TelQuel1->isEnabled());
        EXPECT_TRUE(w->PfX1->isEnabled());
    }
}

TEST_F(GraphWindow, RulesFollowNewPointsAndOpeningFichierEnablesPfA) {
    Trepere* w = windowWith(6, 0, 0);
    EXPECT_FALSE(w->PfA1->isEnabled());
    for (int i = 0; i < 3; ++i) w->model().addPoint(Channel::A, i, i);
    emit w->Fichier1->aboutToShow();
    EXPECT_TRUE(w->PfA1->isEnabled());
    EXPECT_FALSE(w->AfX1->isEnabled());  // only the full rules enable it
    w->model().points(Channel::A).clear();
    emit w->Engendrer1->aboutToShow();
    EXPECT_FALSE(w->PfA1->isEnabled());
}

TEST_F(GraphWindow, InertItemsDoNothing) {
    Trepere* w = windowWith(5, 5, 5);
    for (QAction* inert : {w->driverPX1, w->IntgrerPX1, w->FerquenceFFTP1, w->NouveauPoint1}) {
        inert->trigger();
    }
    EXPECT_EQ(graphWindows().size(), 1u);
    EXPECT_TRUE(user.exchanges().empty());
    EXPECT_EQ(w->model().points(Channel::P).count(), 5u);
}

}  // namespace
}  // namespace qtl
