// "modéliser…" as the user meets it: the dialog driven through the scripted interaction, the
// results and their two copies, the model curve on the chart, and the faults' messages.
#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>
#include <limits>

#include "graph/windows/graph_windows.h"
#include "graph/windows/modelling_dialog.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/chart.h"

namespace qtl {
namespace {

template <class T>
T* child(QDialog& d, const char* name) {
    T* w = d.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QDialog& d, const char* name) {
    child<QPushButton>(d, name)->click();
}

QString shown(QDialog& d) {
    return child<QPlainTextEdit>(d, "resultat")->toPlainText();
}

class Modelling : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
        window = openGraphWindow();
        window->show();
        // A discharge on P, with a gap the fit must skip.
        for (int i = 0; i <= 100; ++i) {
            const double x = 0.05 * i;
            window->model().addPoint(Channel::P, x, 4 * std::exp(-x / 1.25) + 0.5);
        }
        window->model().addPoint(Channel::P, 5.5, std::numeric_limits<double>::quiet_NaN());
        testkit::processEvents();
    }
    void TearDown() override {
        destroyGraphWindows();
        resetProgramSettings();
    }

    void runCommand() {
        QAction* action = testkit::findAction(*window, QString::fromUtf8("modéliser…"));
        ASSERT_NE(action, nullptr);
        action->trigger();
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
    Trepere* window = nullptr;
};

TEST_F(Modelling, FitsShowsCopiesAndDrawsTheModel) {
    QString text;
    QString point;
    QString comma;
    user.queueDialog([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Modéliser");
        child<QComboBox>(d, "modele")->setCurrentIndex(4);  // exponential
        click(d, "modeliser");
        text = shown(d);
        click(d, "copierpoint");
        point = QGuiApplication::clipboard()->text();
        click(d, "copiervirgule");
        comma = QGuiApplication::clipboard()->text();
        EXPECT_EQ(child<QLabel>(d, "message")->text(), "");
        return int(QDialog::Accepted);
    });
    runCommand();
    EXPECT_TRUE(text.startsWith("Modèle : y = A·exp(−X/τ)+B\nA = 4")) << text.toStdString();
    EXPECT_TRUE(text.contains("τ = 1.25")) << text.toStdString();
    EXPECT_TRUE(text.contains("points : 101 (1 ignorés : NaN ou infinis)")) << text.toStdString();
    EXPECT_EQ(point, text);
    QString expectedComma = text;
    expectedComma.replace('.', ',');
    EXPECT_EQ(comma, expectedComma);
    // The curve stays with the window after the dialog, and goes with the window's closing.
    EXPECT_EQ(window->Chart1->modelCurveCount(), 500u);
    window->close();
    EXPECT_EQ(window->Chart1->modelCurveCount(), 0u);
}

TEST_F(Modelling, FaultsAreSaidAndLeaveTheDataAlone) {
    struct Step {
        int model;
        const char* formula;
        const char* start;
        const char* message;
        bool curve;
    } steps[] = {
        {8, "C*(X", "", "Erreur dans la fonction : le modèle libre ne se compile pas.", false},
        {8, "K*EXP(-X/U)+B", "x", "Valeur de départ illisible : séparez les nombres par ;", false},
        {8, "K*EXP(-X/U)+B", "3; 1,5; 1", "", true},
        {8, "K*L*EXP(-X/U)+B", "3; 1; 1,5; 1",
         "Paramètre sans incertitude (jacobien singulier) : ", true},
    };
    QStringList messages;
    QStringList parameters;
    std::vector<std::size_t> curves;
    user.queueDialog([&](QDialog& d) {
        child<QComboBox>(d, "modele")->setCurrentIndex(8);
        for (const Step& s : steps) {
            child<QLineEdit>(d, "formule")->setText(s.formula);
            child<QLineEdit>(d, "depart")->setText(s.start);
            parameters << child<QLabel>(d, "parametres")->text();
            click(d, "modeliser");
            messages << child<QLabel>(d, "message")->text();
            curves.push_back(window->Chart1->modelCurveCount());
        }
        click(d, "effacer");
        curves.push_back(window->Chart1->modelCurveCount());
        return int(QDialog::Accepted);
    });
    const std::size_t before = window->model().points(Channel::P).count();
    runCommand();
    ASSERT_EQ(messages.size(), 4);
    for (int i = 0; i < 4; ++i) {
        // Which of K and L is left without uncertainty is the solver's choice.
        EXPECT_TRUE(messages[i].startsWith(QString::fromUtf8(steps[i].message)))
            << messages[i].toStdString();
        EXPECT_EQ(messages[i].isEmpty(), steps[i].message[0] == 0) << i;
        EXPECT_EQ(curves[i] > 0, steps[i].curve) << i;
    }
    EXPECT_EQ(parameters[2], "K; U; B");
    EXPECT_EQ(curves.back(), 0u);
    EXPECT_EQ(window->model().points(Channel::P).count(), before);
}

TEST_F(Modelling, TheZoomLimitsTheFitToTheRangeShown) {
    // Outside the range shown the points follow another law.
    for (int i = 1; i <= 20; ++i) window->model().addPoint(Channel::P, 10 + i, 1000);
    window->Chart1->redraw();
    QStringList texts;
    for (bool zoom : {false, true}) {
        user.queueDialog([&](QDialog& d) {
            child<QComboBox>(d, "modele")->setCurrentIndex(4);
            child<QCheckBox>(d, "zoom")->setChecked(zoom);
            click(d, "modeliser");
            texts << shown(d);
            return int(QDialog::Accepted);
        });
        if (zoom) {
            auto* plot = window->Chart1->findChild<QCustomPlot*>();
            ASSERT_NE(plot, nullptr);
            plot->xAxis->setRange(-0.1, 5.2);
        }
        runCommand();
    }
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].contains("points : 121")) << texts[0].toStdString();
    EXPECT_FALSE(texts[0].contains("τ = 1.25")) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].contains("points : 101")) << texts[1].toStdString();
    EXPECT_TRUE(texts[1].contains("τ = 1.25")) << texts[1].toStdString();
}

}  // namespace
}  // namespace qtl
