// The processing commands as the user runs them from the graph window's menus: what they
// ask, what they show, what they change and which windows they open.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <vector>

#include "formula/formula.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"

namespace qtl {
namespace {

using Kind = testkit::RecordedExchange::Kind;

class ProcessingMenus : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
        initialiseFormulaLibrary();
    }
    void TearDown() override {
        destroyGraphWindows();
        resetProgramSettings();
    }

    // X = i; the same values on P, A and S.
    static Trepere* windowWith(const std::vector<double>& ys) {
        Trepere* w = openGraphWindow();
        for (const Channel c : {Channel::P, Channel::A, Channel::S}) {
            for (std::size_t i = 0; i < ys.size(); ++i) w->model().addPoint(c, double(i), ys[i]);
        }
        return w;
    }

    static std::vector<double> ys(const DataSeries& s) { return {s.ys().begin(), s.ys().end()}; }

    // Opens the item's menu (which applies the enabling rules) and chooses the item.
    static bool choose(Trepere& w, const char* caption) {
        QAction* item = testkit::findAction(w, QString::fromUtf8(caption));
        EXPECT_NE(item, nullptr) << caption;
        if (item == nullptr) return false;
        for (QMenu* menu : {w.Exploiter1, w.Engendrer1}) emit menu->aboutToShow();
        if (!item->isEnabled()) return false;
        item->trigger();
        return true;
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
};

TEST_F(ProcessingMenus, StatisticsShowTheirTextInTheMessageBox) {
    Trepere* w = windowWith({1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(choose(*w, "statistiques"));
    const QString stats = QString::fromUtf8(
        "Statistiques des séries si n>5\rnombre de points : 6.00000000\r"
        "moyenne(P)=3.50000000\rmoyenne(A)=3.50000000\rmoyenne(S)=3.50000000\r\r"
        "écart-type(P)=1.87082869\récart-type(A)=1.87082869\récart-type(S)=1.87082869\r");
    EXPECT_EQ(user.messages(), QStringList{stats});
    EXPECT_EQ(graphWindows().size(), 1u);
}

TEST_F(ProcessingMenus, TransformationAsksEchoesAndTransformsBothPSeries) {
    Trepere* w = windowWith({1, 2, 3, 4});
    user.queueInput(QStringLiteral("2*P+X"));
    ASSERT_TRUE(choose(*w, "transformer P=f(PAST)"));
    ASSERT_EQ(user.exchanges().size(), 2u);
    EXPECT_EQ(user.exchanges()[0].kind, Kind::InputBox);
    EXPECT_EQ(user.exchanges()[0].title, QStringLiteral("Transformation f(P,A,S,X)"));
    EXPECT_EQ(user.exchanges()[0].text, QStringLiteral("votre choix ?"));
    EXPECT_EQ(user.messages(), QStringList{QStringLiteral("2*P+X")});
    EXPECT_EQ(ys(w->model().points(Channel::P)), (std::vector<double>{2, 5, 8, 11}));
    EXPECT_EQ(ys(w->model().line(Channel::P)), (std::vector<double>{2, 5, 8, 11}));
    EXPECT_EQ(ys(w->model().points(Channel::A)), (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(ProcessingMenus, CancellingTheTransformationEchoesPAndChangesNothing) {
    Trepere* w = windowWith({1, 2, 3, 4});
    user.queueInput(std::nullopt);
    ASSERT_TRUE(choose(*w, "transformer P=f(PAST)"));
    EXPECT_EQ(user.messages(), QStringList{QStringLiteral("P")});
    EXPECT_EQ(ys(w->model().points(Channel::P)), (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(ProcessingMenus, ArithmeticErrorShowsTheBoxAndKeepsThePointsDone) {
    Trepere* w = windowWith({0, 1, 2, 3, 4, 5});
    user.queueInput(QStringLiteral("SQRT(3-P)*0+10"));
    ASSERT_TRUE(choose(*w, "transformer P=f(PAST)"));
    EXPECT_EQ(user.messages(),
              (QStringList{QStringLiteral("SQRT(3-P)*0+10"),
                           QString::fromUtf8("Erreur fatale 5: 'Racine carrée d'un nombre "
                                             "négatif'détectée dans Evalue4")}));
    EXPECT_EQ(ys(w->model().points(Channel::P)), (std::vector<double>{10, 10, 10, 10, 4, 5}));
    EXPECT_EQ(ys(w->model().line(Channel::P)), (std::vector<double>{10, 10, 10, 10, 4, 5}));
    EXPECT_TRUE(fatalErrorMode);
    EXPECT_EQ(moduleNesting(), 0);
    // The window goes on: a second run works.
    user.queueInput(QStringLiteral("P+1"));
    ASSERT_TRUE(choose(*w, "transformer P=f(PAST)"));
    EXPECT_EQ(w->model().points(Channel::P).y(5), 6);
}

TEST_F(ProcessingMenus, SmoothingChangesTheSeriesInPlace) {
    Trepere* w = windowWith({0, 0, 0, 5, 0, 0, 0});
    ASSERT_TRUE(choose(*w, "lissage P"));
    for (int n = 1; n <= 6; ++n) EXPECT_NEAR(w->model().series(n).y(3), 1.2, 1e-12) << n;
    EXPECT_TRUE(user.exchanges().empty());
    EXPECT_EQ(graphWindows().size(), 1u);
}

TEST_F(ProcessingMenus, DerivativeAndIntegralOpenStoppedWindows) {
    struct Case {
        const char* caption;
        std::vector<double> p;  // expected P points of the new window
    };
    const Case cases[] = {{"Dérivée P/X", {1, 3, 5, 7}}, {"Intégration P/X", {0.5, 3, 9.5, 22}}};
    for (const Case& c : cases) {
        Trepere* src = windowWith({0, 1, 4, 9, 16});
        const auto before = graphWindows().size();
        ASSERT_TRUE(choose(*src, c.caption));
        ASSERT_EQ(graphWindows().size(), before + 1) << c.caption;
        Trepere* made = graphWindows().back();
        EXPECT_TRUE(made->isVisible());
        EXPECT_FALSE(made->Timerajoutepoint->isActive());
        EXPECT_FALSE(made->Timercontinu->isActive());
        EXPECT_FALSE(made->Stop1->isEnabled());
        EXPECT_FALSE(made->NouveauPoint1->isEnabled());
        for (int n = 1; n <= 6; ++n) EXPECT_EQ(ys(made->model().series(n)), c.p) << c.caption;
        EXPECT_EQ(made->model().points(Channel::P).x(0), 1.0);
        EXPECT_EQ(ys(src->model().points(Channel::P)), (std::vector<double>{0, 1, 4, 9, 16}));
        EXPECT_TRUE(user.exchanges().empty());
    }
}

TEST_F(ProcessingMenus, ItemsAreEnabledOnlyWhenTheyHaveSomethingToDo) {
    struct Case {
        std::size_t n;
        bool transform, smooth, derive;
    };
    const Case cases[] = {{0, false, false, false},
                          {2, true, false, false},
                          {3, true, false, true},
                          {6, true, true, true}};
    for (const Case& c : cases) {
        Trepere* w = windowWith(std::vector<double>(c.n, 1.0));
        emit w->Exploiter1->aboutToShow();
        EXPECT_TRUE(w->statistiques1->isEnabled()) << c.n;
        EXPECT_EQ(w->transformerPfPAST1->isEnabled(), c.transform) << c.n;
        EXPECT_EQ(w->lissageP1->isEnabled(), c.smooth) << c.n;
        emit w->Engendrer1->aboutToShow();
        EXPECT_EQ(w->derivePX->isEnabled(), c.derive) << c.n;
        EXPECT_EQ(w->integerationPX->isEnabled(), c.derive) << c.n;
    }
}

}  // namespace
}  // namespace qtl
