// The axis and style dialog in its two modes: future framing on the settings record, current
// framing on one window, with the +1 on the maxima and the axis refusals.
#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "graph/windows/graph_windows.h"
#include "graph/windows/udcadrages10.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/chart.h"

namespace qtl {
namespace {

using testkit::RecordedExchange;

TcadrageDlg& asDialog(QDialog& d) {
    return dynamic_cast<TcadrageDlg&>(d);
}

class FramingDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
    }
    void TearDown() override {
        destroyGraphWindows();
        resetProgramSettings();
    }

    // A window with fixed axes [-20, 80] and [1, 9], A active, three P points.
    Trepere* manualWindow() {
        ProgramSettings& s = programSettings();
        s.channelA.active = true;
        s.autoScaleYP = false;
        s.autoScaleYA = false;
        s.minYP = -20;
        s.maxYP = 80;
        s.minYA = 1;
        s.maxYA = 9;
        Trepere* w = openGraphWindow();
        for (int i = 0; i < 3; ++i) w->model().addPoint(Channel::P, i, i);
        return w;
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
};

TEST_F(FramingDialog, HasThreePagesWithTheirControlsAndStartValues) {
    TcadrageDlg d;
    ASSERT_EQ(d.PageControl1->count(), 3);
    EXPECT_EQ(d.PageControl1->tabText(0), "Séries de points");
    EXPECT_EQ(d.PageControl1->tabText(1), "Axes");
    EXPECT_EQ(d.PageControl1->tabText(2), "Titres");
    EXPECT_EQ(d.SpinEditpoint->minimum(), 1);
    EXPECT_EQ(d.SpinEditpoint->maximum(), 10);
    EXPECT_EQ(d.SpinEditpoint->value(), 2);
    EXPECT_EQ(d.SpinEditligne->minimum(), 0);
    EXPECT_EQ(d.SpinEditligne->value(), 2);
    for (QSpinBox* range : {d.SpinEditYpmin, d.spineditypmax, d.SpinEditYAmin, d.SpinEditYamax}) {
        EXPECT_EQ(range->minimum(), -1'000'000);
        EXPECT_EQ(range->maximum(), 1'000'000);
    }
    EXPECT_EQ(d.spineditypmax->value(), 1000);
    EXPECT_TRUE(d.cbYPautomatique->isChecked());
    EXPECT_TRUE(d.cbaxeS->isChecked());
    EXPECT_EQ(d.cbtraitcontinu->text(), "trait continu ? (sinon trait discontinu, largeur 1)");
    EXPECT_EQ(d.Edit1->text(), "Mesures");
    EXPECT_EQ(d.Edit5->text(), "voie S");
    EXPECT_EQ(d.OKBtn->text(), "OK");
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_EQ(d.CancelBtn->text(), "Annuler");
    EXPECT_EQ(d.HelpBtn->text(), "&Aide");
    EXPECT_EQ(d.windowTitle(), "cadrages FUTURS");
}

TEST_F(FramingDialog, FutureModeFillsFromAndWritesToTheSettings) {
    programSettings().pointSize = 5;
    programSettings().channelS.title = "force";
    Trepere* open = openGraphWindow();
    const SeriesStyle before = open->model().points(Channel::P).style();
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        EXPECT_EQ(d.SpinEditpoint->value(), 5);
        EXPECT_EQ(d.Edit1->text(), "Mesures effectuées");
        EXPECT_EQ(d.Edit5->text(), "force");
        d.SpinEditpoint->setValue(7);
        d.cbtraitcontinu->setChecked(false);
        d.SpinEditYpmin->setValue(2000);  // no chart here: nothing refuses it
        d.cbaxeS->setChecked(false);
        d.Edit2->setText("t (s)");
        d.OKBtn->click();
        return d.result();
    });
    openFutureFraming();
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].title, "cadrages FUTURS");
    const ProgramSettings& s = programSettings();
    EXPECT_EQ(s.pointSize, 7);
    EXPECT_FALSE(s.continuousLine);
    EXPECT_EQ(s.minYP, 2000);
    EXPECT_FALSE(s.seriesSOnLeft);
    EXPECT_EQ(s.timeAxisTitle, "t (s)");
    EXPECT_TRUE(s.framingFuture);
    // Open windows keep their look; the next one takes the new framing.
    EXPECT_EQ(open->model().points(Channel::P).style(), before);
    Trepere* next = openGraphWindow();
    EXPECT_EQ(next->model().points(Channel::P).style().markerHeight, 7);
    EXPECT_EQ(next->model().line(Channel::A).style().lineStyle, PenStyle::DashDot);
    EXPECT_EQ(next->model().bottomAxis().title(), "t (s)");
}

TEST_F(FramingDialog, FutureModeCancelLeavesTheSettings) {
    const ProgramSettings before = programSettings();
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        d.SpinEditpoint->setValue(9);
        d.Edit1->setText("non");
        d.CancelBtn->click();
        return d.result();
    });
    openFutureFraming();
    EXPECT_EQ(programSettings().pointSize, before.pointSize);
    EXPECT_EQ(programSettings().chartTitle, before.chartTitle);
}

TEST_F(FramingDialog, CurrentModeOkWithoutChangesRaisesBothMaximaByOne) {
    Trepere* w = manualWindow();
    const GraphModel before = w->model();
    const ProgramSettings settingsBefore = programSettings();
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        EXPECT_EQ(d.SpinEditYpmin->value(), -20);
        EXPECT_EQ(d.spineditypmax->value(), 81);
        EXPECT_EQ(d.SpinEditYAmin->value(), 1);
        EXPECT_EQ(d.SpinEditYamax->value(), 10);
        EXPECT_FALSE(d.cbYPautomatique->isChecked());
        d.OKBtn->click();
        return d.result();
    });
    w->enjolivercadrages1->trigger();
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].title, "cadrages ACTUELS");
    EXPECT_EQ(w->model().leftAxis().minimum(), -20);
    EXPECT_EQ(w->model().leftAxis().maximum(), 81);
    EXPECT_EQ(w->model().rightAxis().minimum(), 1);
    EXPECT_EQ(w->model().rightAxis().maximum(), 10);
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(w->model().series(n).style(), before.series(n).style()) << n;
    }
    EXPECT_EQ(w->model().chartTitle(), before.chartTitle());
    EXPECT_EQ(w->model().sTitle(), before.sTitle());
    // Current framing leaves the settings alone, apart from the mode flag.
    EXPECT_FALSE(programSettings().framingFuture);
    EXPECT_EQ(programSettings().maxYP, settingsBefore.maxYP);
    EXPECT_EQ(programSettings().pointSize, settingsBefore.pointSize);
    EXPECT_TRUE(user.messages().isEmpty());
}

TEST_F(FramingDialog, CurrentModeAppliesTheUsersChanges) {
    Trepere* w = manualWindow();
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        d.SpinEditpoint->setValue(4);
        d.SpinEditligne->setValue(6);
        d.cbpoints->setChecked(false);
        d.cbtraitcontinu->setChecked(false);
        d.SpinEditYpmin->setValue(2000);  // wholly above [-20, 80]: maximum first
        d.spineditypmax->setValue(3000);
        d.cbYAautomatique->setChecked(true);
        d.cbaxeS->setChecked(false);
        d.Edit1->setText("Nouveau titre");
        d.Edit4->setText("vitesse");
        d.OKBtn->click();
        return d.result();
    });
    w->enjolivercadrages1Click();
    const GraphModel& g = w->model();
    for (Channel c : {Channel::P, Channel::A, Channel::S}) {
        EXPECT_EQ(g.points(c).style().markerWidth, 4);
        EXPECT_FALSE(g.points(c).style().markerVisible);
        EXPECT_EQ(g.line(c).style().lineWidth, 1);  // discontinuous lines are width 1
    }
    EXPECT_EQ(g.line(Channel::S).style().lineStyle, PenStyle::Dot);
    EXPECT_EQ(g.leftAxis().minimum(), 2000);
    EXPECT_EQ(g.leftAxis().maximum(), 3000);
    EXPECT_TRUE(g.rightAxis().automatic());
    EXPECT_EQ(g.points(Channel::S).style().axis, VerticalAxis::Right);
    EXPECT_EQ(g.line(Channel::S).style().axis, VerticalAxis::Right);
    EXPECT_EQ(g.chartTitle(), "Nouveau titre");
    EXPECT_EQ(g.rightAxis().title(), "vitesse");
    EXPECT_TRUE(user.messages().isEmpty());
}

TEST_F(FramingDialog, CurrentModeRefusalIsShownAndEndsTheCommandAtItsStep) {
    Trepere* w = manualWindow();
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        d.SpinEditpoint->setValue(8);
        d.SpinEditYpmin->setValue(500);  // above the left maximum 80; 81 is never reached
        d.Edit1->setText("jamais");
        d.OKBtn->click();
        return d.result();
    });
    w->enjolivercadrages1->trigger();
    ASSERT_EQ(user.messages().size(), 1);
    EXPECT_EQ(user.messages()[0], "La valeur minimum de l'axe doit être <= Maximum");
    EXPECT_EQ(w->model().points(Channel::P).style().markerHeight, 8);  // steps before stay
    EXPECT_EQ(w->model().leftAxis().minimum(), -20);
    EXPECT_EQ(w->model().leftAxis().maximum(), 80);  // later steps did not run
    EXPECT_EQ(w->model().rightAxis().maximum(), 9);
    EXPECT_NE(w->model().chartTitle(), "jamais");
}

TEST_F(FramingDialog, CurrentModeMaximumBelowTheMinimumIsRefused) {
    Trepere* w = manualWindow();
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        d.SpinEditYamax->setValue(-5);  // below the right minimum 1
        d.OKBtn->click();
        return d.result();
    });
    w->enjolivercadrages1Click();
    ASSERT_EQ(user.messages().size(), 1);
    EXPECT_EQ(user.messages()[0], "La valeur maximum de l'axe doit être >= Minimum");
    EXPECT_EQ(w->model().leftAxis().maximum(), 81);  // the left axis went in before
}

TEST_F(FramingDialog, CurrentModeRangesShowEvenOverAZoom) {
    Trepere* w = manualWindow();
    w->show();
    testkit::processEvents();
    QCustomPlot* plot = w->Chart1->findChild<QCustomPlot*>();
    ASSERT_NE(plot, nullptr);
    plot->yAxis->setRange(10, 20);  // as the wheel or the rubber band would
    ASSERT_TRUE(w->Chart1->zoomed());
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        d.SpinEditYpmin->setValue(-100);
        d.spineditypmax->setValue(300);
        d.OKBtn->click();
        return d.result();
    });
    w->enjolivercadrages1Click();
    EXPECT_FALSE(w->Chart1->zoomed());
    EXPECT_EQ(plot->yAxis->range(), QCPRange(-100, 300));
}

TEST_F(FramingDialog, CurrentModeCancelChangesNothing) {
    Trepere* w = manualWindow();
    const GraphModel before = w->model();
    user.queueDialog([](QDialog& dialog) {
        TcadrageDlg& d = asDialog(dialog);
        d.SpinEditpoint->setValue(9);
        d.CancelBtn->click();
        return d.result();
    });
    w->enjolivercadrages1Click();
    EXPECT_EQ(w->model().leftAxis().maximum(), 80);
    EXPECT_EQ(w->model().points(Channel::P).style(), before.points(Channel::P).style());
}

TEST_F(FramingDialog, FutureModeAfterCurrentModeRefillsFromTheSettings) {
    Trepere* w = manualWindow();
    user.queueDialog([](QDialog& dialog) {
        asDialog(dialog).Edit1->setText("du graphe");
        return int(QDialog::Rejected);
    });
    w->enjolivercadrages1Click();
    user.queueDialog([](QDialog& dialog) {
        EXPECT_EQ(asDialog(dialog).Edit1->text(), "Mesures effectuées");
        EXPECT_EQ(dialog.windowTitle(), "cadrages FUTURS");
        return int(QDialog::Rejected);
    });
    openFutureFraming();
    EXPECT_EQ(user.exchanges().size(), 2u);
}

}  // namespace
}  // namespace qtl
