// The crosshair follows the mouse, the measuring cursors are dragged and copied, and
// "Fréquence FFT(P)" opens a spectrum window over the points shown, all from the menus.
#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <numbers>

#include "graph/windows/graph_windows.h"
#include "graph/windows/spectrum_window.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/chart.h"
#include "ui/chart_cursors.h"

namespace qtl {
namespace {

class CursorsAndSpectrum : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
    }
    void TearDown() override {
        destroyGraphWindows();
        resetProgramSettings();
    }

    // A shown window with P = 2 X for X = 0 ... 10.
    static Trepere* lineWindow() {
        Trepere* w = openGraphWindow();
        for (int i = 0; i <= 10; ++i) w->model().addPoint(Channel::P, i, 2.0 * i);
        w->resize(640, 480);
        w->show();
        w->redraw();
        testkit::processEvents();
        return w;
    }

    static QCustomPlot* plotOf(Trepere* w) { return w->Chart1->findChild<QCustomPlot*>(); }

    static void mouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    static QPointF pixelOf(QCustomPlot* plot, double x, double y) {
        return {plot->xAxis->coordToPixel(x), plot->yAxis->coordToPixel(y)};
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
};

TEST_F(CursorsAndSpectrum, CrosshairFollowsTheMouseWhileTicked) {
    programSettings().channelA.active = true;  // the right axis is shown
    Trepere* w = lineWindow();
    QCustomPlot* plot = plotOf(w);
    auto* label = w->Chart1->findChild<QLabel*>("reticuleLabel");
    ASSERT_NE(label, nullptr);

    mouse(plot, QEvent::MouseMove, pixelOf(plot, 4, 8), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(label->isVisible());  // not ticked yet

    w->command("Reticule1")->trigger();
    const QPointF at = pixelOf(plot, 4, 8);
    mouse(plot, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(label->isVisible());
    const QString text = label->text();
    // Within a pixel of (4, 8), with the right axis' value too.
    const QStringList parts = text.split(QStringLiteral("   "));
    ASSERT_EQ(parts.size(), 3) << text.toStdString();
    EXPECT_NEAR(parts[0].mid(4).toDouble(), 4, 0.05);
    EXPECT_NEAR(parts[1].mid(4).toDouble(), 8, 0.1);
    EXPECT_TRUE(parts[2].startsWith(QStringLiteral("Y droite = ")));

    mouse(plot, QEvent::MouseMove, QPointF(1, 1), Qt::NoButton, Qt::NoButton);  // off the axes
    EXPECT_FALSE(label->isVisible());
    w->command("Reticule1")->trigger();
    mouse(plot, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(label->isVisible());
}

TEST_F(CursorsAndSpectrum, MeasuringCursorsAreDraggedReadAndCopied) {
    Trepere* w = lineWindow();
    QCustomPlot* plot = plotOf(w);
    ChartCursors& cursors = w->Chart1->cursors();
    auto* panel = w->Chart1->findChild<QFrame*>("curseursPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());

    w->command("Curseurs1")->trigger();
    EXPECT_TRUE(panel->isVisible());
    cursors.setCursorX(0, 2.5);
    cursors.setCursorX(1, 7.5);
    auto* label = panel->findChild<QLabel*>("curseursLabel");
    EXPECT_EQ(label->text().toStdString(),
              "X1 = 2.5\nX2 = 7.5\nΔX = 5\nP : Y1 = 5 ; Y2 = 15 ; ΔY = 10 ; pente = 2");

    // Dragging the first cursor to X = 5 moves it and does not zoom.
    const QPointF from = pixelOf(plot, 2.5, 10);
    const QPointF to = pixelOf(plot, 5, 10);
    mouse(plot, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(plot, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(plot, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    EXPECT_NEAR(cursors.cursorX(0), 5, 0.05);
    EXPECT_DOUBLE_EQ(cursors.cursorX(1), 7.5);
    EXPECT_FALSE(w->Chart1->zoomed());
    EXPECT_EQ(plot->selectionRectMode(), QCP::srmZoom);
    EXPECT_TRUE(label->text().contains(QStringLiteral("X1 = 5")) ||
                label->text().contains(QStringLiteral("X1 = 4.9")))
        << label->text().toStdString();

    QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
    panel->findChild<QPushButton*>("copiercurseurs")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), label->text());

    w->command("Curseurs1")->trigger();
    EXPECT_FALSE(panel->isVisible());
}

// A = 2 sin(2 pi 50 X) + 0.5 sin(2 pi 120 X) at X = i ms, i < n.
Trepere* sineWindow(int n) {
    Trepere* w = openGraphWindow();
    w->model().bottomAxis().setTitle("temps (s)");
    w->model().leftAxis().setTitle("U (V)");
    for (int i = 0; i < n; ++i) {
        const double x = i * 0.001;
        w->model().addPoint(Channel::P, x,
                            2 * std::sin(2 * std::numbers::pi * 50 * x) +
                                0.5 * std::sin(2 * std::numbers::pi * 120 * x));
    }
    w->show();
    w->redraw();
    return w;
}

TEST_F(CursorsAndSpectrum, SpectrumWindowShowsThePeakAndChangesWindow) {
    Trepere* source = sineWindow(1000);
    source->MainMenu1Change();
    ASSERT_TRUE(source->FerquenceFFTP1->isEnabled());
    const std::size_t before = graphWindows().size();
    source->FerquenceFFTP1->trigger();
    ASSERT_EQ(graphWindows().size(), before + 1);
    Trepere* s = graphWindows().back();
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(s->Timerajoutepoint->isActive());
    EXPECT_FALSE(s->Stop1->isEnabled());
    EXPECT_EQ(s->model().bottomAxis().title(), "fréquence (1/temps (s))");
    EXPECT_EQ(s->model().points(Channel::P).count(), 501u);
    EXPECT_EQ(s->model().line(Channel::P).count(), 501u);
    EXPECT_EQ(s->model().chartTitle(), "spectre de P (fenêtre Hann) : pic à 50");
    EXPECT_NEAR(s->model().points(Channel::P).y(50), 2, 1e-6);
    EXPECT_NEAR(s->model().points(Channel::P).y(120), 0.5, 1e-6);
    EXPECT_EQ(source->model().points(Channel::P).count(), 1000u);  // unchanged

    auto* choice = s->findChild<QComboBox*>("fenetreSpectre");
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->currentText(), "Hann");
    choice->setCurrentText(QStringLiteral("Blackman-Harris"));
    EXPECT_EQ(s->model().chartTitle(), "spectre de P (fenêtre Blackman-Harris) : pic à 50");

    QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
    s->findChild<QPushButton*>("copierfrequence")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "50");
}

TEST_F(CursorsAndSpectrum, SpectrumTakesOnlyThePointsShownAndRefusesTooFew) {
    Trepere* source = sineWindow(1000);
    plotOf(source)->xAxis->setRange(0, 0.5);  // a zoom on the first 501 points
    ASSERT_TRUE(source->Chart1->zoomed());
    Trepere* s = FerquenceFFTP1Click(*source);
    ASSERT_NE(s, nullptr);
    // 501 points padded to 504 give 253 frequencies.
    EXPECT_EQ(s->model().points(Channel::P).count(), 253u);

    Trepere* few = openGraphWindow();
    few->model().addPoint(Channel::P, 1, 1);
    few->MainMenu1Change();
    EXPECT_FALSE(few->FerquenceFFTP1->isEnabled());
    few->model().addPoint(Channel::P, 1, 2);  // two points, one X
    const std::size_t before = graphWindows().size();
    EXPECT_EQ(FerquenceFFTP1Click(*few), nullptr);
    EXPECT_EQ(graphWindows().size(), before);
    ASSERT_EQ(user.messages().size(), 1);
    EXPECT_TRUE(user.messages()[0].startsWith(QStringLiteral("Pas assez de points")));
}

}  // namespace
}  // namespace qtl
