// The timing dialog and the big digits window on their own.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "graph/windows/udtemps10.h"
#include "settings/program_settings.h"
#include "settings/windows/ugroschiffres.h"
#include "testkit/gui_app.h"

namespace qtl {
namespace {

class Windows : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
    }
    void TearDown() override { resetProgramSettings(); }
};

TEST_F(Windows, TimingDialogControlsRangesAndStartValues) {
    Tfdtemps dialog;
    EXPECT_EQ(dialog.windowTitle(), "Réglages temporels");
    EXPECT_EQ(dialog.objectName(), "fdtemps");
    struct Spin {
        QSpinBox* box;
        int low, high, start;
    };
    const Spin spins[] = {{dialog.Spinintervalle, 1, 2000, 1000},
                          {dialog.Spinnbmax, 3, 3000, 200},
                          {dialog.Spinseuil, 1, 1000, 50},
                          {dialog.Spinrepet, 1, 100, 10},
                          {dialog.Spinbandeau, 100, 10000, 1000}};
    for (const Spin& s : spins) {
        EXPECT_EQ(s.box->minimum(), s.low) << s.box->objectName().toStdString();
        EXPECT_EQ(s.box->maximum(), s.high) << s.box->objectName().toStdString();
        EXPECT_EQ(s.box->value(), s.start) << s.box->objectName().toStdString();
    }
    EXPECT_TRUE(dialog.rbms->isChecked());
    EXPECT_FALSE(dialog.cbdate->isChecked());
    EXPECT_EQ(dialog.OKBtn->text(), "Accepter");
    EXPECT_TRUE(dialog.OKBtn->isDefault());
    EXPECT_EQ(dialog.CancelBtn->text(), "Annuler");
    QStringList labels;
    for (const QLabel* l : dialog.findChildren<QLabel*>()) labels << l->text();
    for (const char* text :
         {"Intervalle entre mesures", "Nombre max. de mesures", "(1200 pour oscillo)",
          "Seuil du mode oscillo (ms)", "Valeur conseillée : 50",
          "rafraichissement du bandeau general QTL (ms)",
          "Nombre max de répétitions par\nmesure (mode normal)"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    const auto* unit = qobject_cast<const QGroupBox*>(dialog.rbms->parentWidget());
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->title(), "Unité :");
    EXPECT_EQ(dialog.rbus->text(), "microsecondes");
    EXPECT_EQ(dialog.rbms->text(), "millisecondes");
    EXPECT_EQ(dialog.rbs->text(), "secondes");
    EXPECT_EQ(dialog.cbdate->text(), "(temps = jours depuis 1900 ?)");
}

TEST_F(Windows, TimingDialogAcceptWritesEveryTimingField) {
    struct Case {
        QRadioButton* Tfdtemps::*unit;
        int value;
        std::int32_t intervalUs;
    };
    const Case cases[] = {{&Tfdtemps::rbs, 2, 2000000},
                          {&Tfdtemps::rbus, 5, 5},
                          {&Tfdtemps::rbms, 40, 40000},
                          {&Tfdtemps::rbs, 2000, 2000000000}};
    for (const Case& c : cases) {
        Tfdtemps dialog;
        (dialog.*c.unit)->setChecked(true);
        dialog.Spinintervalle->setValue(c.value);
        dialog.Spinnbmax->setValue(1200);
        dialog.Spinseuil->setValue(30);
        dialog.Spinrepet->setValue(3);
        dialog.cbdate->setChecked(true);
        dialog.Spinbandeau->setValue(100);
        dialog.OKBtn->click();
        const ProgramSettings& s = programSettings();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(s.intervalUs, c.intervalUs);
        EXPECT_EQ(s.maxMeasurements, 1200);
        EXPECT_EQ(s.oscilloThresholdMs, 30);
        EXPECT_EQ(s.repeatsPerMeasurement, 3);
        EXPECT_TRUE(s.timeAsDate);
        EXPECT_EQ(s.statusRefreshMs, 100);
    }
}

TEST_F(Windows, TimingDialogCancelWritesNothing) {
    Tfdtemps dialog;
    dialog.Spinintervalle->setValue(3);
    dialog.rbus->setChecked(true);
    dialog.Spinbandeau->setValue(9000);
    dialog.CancelBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(programSettings().intervalUs, 1000000);
    EXPECT_EQ(programSettings().statusRefreshMs, 1000);
    EXPECT_EQ(programSettings().maxMeasurements, 100);
}

TEST_F(Windows, BigDigitsLooksAndLayoutFollowTheHeight) {
    Tfgroschiffres digits;
    EXPECT_EQ(digits.windowTitle(), "fgroschiffres");
    EXPECT_EQ(digits.labelp->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(digits.labelA->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(digits.LabelS->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(digits.labelp->font().family(), "Arial");

    digits.show();
    for (int height : {200, 400, 333}) {
        digits.resize(300, height);
        testkit::processEvents();
        const int outer = digits.frameGeometry().height();
        EXPECT_EQ(digits.labelp->y(), -10);
        EXPECT_EQ(digits.labelA->y(), qRound(outer * 0.3)) << outer;
        EXPECT_EQ(digits.LabelS->y(), qRound(outer * 0.6)) << outer;
        for (const QLabel* l : {digits.labelp, digits.labelA, digits.LabelS})
            EXPECT_EQ(l->font().pointSize(), outer / 4);
    }
    digits.showTexts("VP:1", "VA:2", "VS:3");
    EXPECT_EQ(digits.LabelS->text(), "VS:3");
    digits.close();
    EXPECT_FALSE(digits.isVisible());
}

}  // namespace
}  // namespace qtl
