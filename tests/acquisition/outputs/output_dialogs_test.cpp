// The three output dialogs driven as a user would: files picked through the scripted
// Interaction, buttons clicked, and what the drivers received read back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "drivers/call_log.h"
#include "formula/formula.h"
#include "outputs/outputs_state.h"
#include "outputs/variable_output.h"
#include "outputs/windows/udmatsf.h"
#include "outputs/windows/udmatsl.h"
#include "outputs/windows/udmatsv.h"
#include "settings/dynamic_library.h"
#include "settings/input_driver.h"
#include "settings/program_places.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"

namespace qtl {
namespace {

using testing::CallLog;
using testing::LoggedCall;

class OutputDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        initialiseFormulaLibrary();
        resetProgramSettings();
        outputsState() = OutputsState{};
        log.reset();
    }
    void TearDown() override {
        resetProgramSettings();
        outputsState() = OutputsState{};
    }

    // Visible within its dialog (the dialog itself is never shown here).
    static bool shown(const QWidget* w) { return w->isVisibleTo(w->window()); }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
    CallLog log{QTL_OUTPUT_DRIVER_THREE};
};

// --- Logic outputs --------------------------------------------------------------------------

TEST_F(OutputDialogs, LogicListIsBuiltCheckedAndSent) {
    TFsortieslogiques d;
    EXPECT_EQ(d.windowTitle(), "Sorties logiques");
    EXPECT_EQ(d.Label1->text(), "(pilote non chargé)");
    user.queueFile(QTL_OUTPUT_DRIVER_THREE);
    d.Choixpilote->click();

    ASSERT_EQ(user.exchanges().size(), 1u);
    const FileDialogRequest& request = user.exchanges()[0].file;
    EXPECT_EQ(request.title, "Choix du pilote (V. princ)");
    EXPECT_TRUE(request.filter.contains("*.pim"));
    EXPECT_EQ(request.directory, QString::fromStdString(programPlaces().driversFolder));

    EXPECT_EQ(d.Label1->text(), "sorties d'essai (détail)");
    ASSERT_EQ(d.CheckListBox1->count(), 2);
    EXPECT_EQ(d.CheckListBox1->item(1)->text(), "moteur");
    d.CheckListBox1->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(outputsState().logic.checked, (std::vector<bool>{false, true}));

    d.OKBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'b', 0, 0.0}, {'b', 1, 1.0}}));
}

TEST_F(OutputDialogs, LogicCancelledFileDialogReloadsThePreviousLibraryUnchecked) {
    TFsortieslogiques d;
    user.queueFile(QTL_OUTPUT_DRIVER_THREE);
    d.Choixpilote->click();
    d.CheckListBox1->item(0)->setCheckState(Qt::Checked);
    d.CancelBtn->click();  // closes only: the check mark stays
    EXPECT_EQ(outputsState().logic.checked, (std::vector<bool>{true, false}));
    EXPECT_TRUE(log.calls().empty());

    user.queueFile("");  // cancelled
    d.Choixpilote->click();
    ASSERT_EQ(d.CheckListBox1->count(), 2);
    EXPECT_EQ(d.CheckListBox1->item(0)->checkState(), Qt::Unchecked);
    // The file dialog opened where the previous choice was made.
    EXPECT_EQ(user.exchanges().back().file.fileName, QTL_OUTPUT_DRIVER_THREE);
    d.OKBtn->click();
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'b', 0, 0.0}, {'b', 1, 0.0}}));
}

TEST_F(OutputDialogs, LogicListThatNeverEndsAndStateShownOnReopening) {
    TFsortieslogiques d;
    user.queueFile(QTL_OUTPUT_DRIVER_ENDLESS);
    d.Choixpilote->click();
    EXPECT_EQ(d.CheckListBox1->count(), static_cast<int>(kMaxDriverListNames));

    // What the state says is what a shown dialog lists.
    outputsState().logic.names = {"un", "deux"};
    outputsState().logic.checked = {false, true};
    d.show();
    ASSERT_EQ(d.CheckListBox1->count(), 2);
    EXPECT_EQ(d.CheckListBox1->item(1)->checkState(), Qt::Checked);
    d.hide();
}

// --- Fixed analog outputs -------------------------------------------------------------------

TEST_F(OutputDialogs, FixedThreeNamedOutputsShowThreeLinesAndOkSendsSix) {
    Tfsortiesfixes d;
    EXPECT_EQ(d.windowTitle(), "Sorties analogiques fixes");
    for (int k = 0; k < 6; ++k) EXPECT_FALSE(shown(d.editors[k])) << k;
    EXPECT_FALSE(shown(d.Button1));

    user.queueFile(QTL_OUTPUT_DRIVER_THREE);
    d.Choixpilote->click();
    EXPECT_EQ(d.Label1->text(), "Sorties d'essai");
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(shown(d.editors[k]), k < 3) << k;
        EXPECT_EQ(shown(d.labels[k]), k < 3) << k;
    }
    EXPECT_EQ(d.labels[2]->text(), "chauffage");
    EXPECT_EQ(d.labels[1]->objectName(), "Labelsa1");
    EXPECT_TRUE(shown(d.Button1) && d.Button1->isEnabled());

    d.editors[0]->setValue(1.23456);
    d.editors[2]->setValue(-2e6);
    EXPECT_DOUBLE_EQ(outputsState().fixed.values[0], 1.2346);
    EXPECT_DOUBLE_EQ(outputsState().fixed.values[2], -1e6);
    d.OKBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 0, 1.2346},
                                                    {'a', 1, 0.0},
                                                    {'a', 2, -1e6},
                                                    {'a', 3, 0.0},
                                                    {'a', 4, 0.0},
                                                    {'a', 5, 0.0}}));

    log.reset();
    d.Button1->click();
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'c', -1, 0.0}}));
}

TEST_F(OutputDialogs, FixedSecondDriverNamingFewerHidesTheExtraLines) {
    Tfsortiesfixes d;
    user.queueFile(QTL_OUTPUT_DRIVER_THREE);
    d.Choixpilote->click();
    user.queueFile(QTL_OUTPUT_DRIVER_FEW);
    d.Choixpilote->click();
    for (int k = 0; k < 6; ++k) EXPECT_EQ(shown(d.editors[k]), k == 0) << k;
    EXPECT_EQ(d.labels[0]->text(), "V0");
    EXPECT_FALSE(shown(d.Button1) || d.Button1->isEnabled());

    user.queueFile(QTL_OUTPUT_DRIVER_ENDLESS);
    d.Choixpilote->click();
    for (int k = 0; k < 6; ++k) EXPECT_TRUE(shown(d.editors[k])) << k;
}

TEST_F(OutputDialogs, FixedStepAndValuesASettingsFileSets) {
    Tfsortiesfixes d;
    EXPECT_TRUE(d.RadioGroup1Items[1]->isChecked());
    EXPECT_EQ(d.RadioGroup1->title(), "incrément");
    const struct {
        int item;
        double step;
    } cases[] = {{3, 0.01}, {0, 10.0}, {4, 0.001}};
    for (const auto& c : cases) {
        d.RadioGroup1Items[c.item]->click();
        for (QDoubleSpinBox* editor : d.editors) {
            editor->setValue(1.0);
            editor->stepBy(1);
            EXPECT_NEAR(editor->value(), 1.0 + c.step, 1e-9) << c.item;
        }
    }
    // A settings file shows line 4 with a value: the dialog shows it when next shown.
    outputsState().fixed.shown[4] = true;
    outputsState().fixed.values[4] = 123456.7891;
    d.show();
    EXPECT_TRUE(d.editors[4]->isVisible());
    EXPECT_DOUBLE_EQ(d.editors[4]->value(), 123456.7891);
    EXPECT_EQ(d.labels[4]->text(), "sortie 4");
    d.hide();
}

// --- Variable analog output -----------------------------------------------------------------

class VariableOutputDialog : public OutputDialogs {
  protected:
    // Output 0 of the simulation driver, read back on its input 4.
    static double simulatedOutput0() {
        return findEntryPoint<qtl_pilote_real_read_fn>(loadLibrary(QTL_SIMULATION_DRIVER),
                                                       "stdead")(4);
    }
    void choose(const char* path) {
        user.queueFile(path);
        d.Bchoixpilotesav->click();
    }
    void confirm(const QString& formula, bool active) {
        d.Edit_formule_variable1->setText(formula);
        d.cbsveff1->setChecked(active);
        d.BitBtn_ok->click();
    }
    Tfsortiev d;
};

TEST_F(VariableOutputDialog, TwoCharacterFirstNameKeepsTheFormulaHidden) {
    EXPECT_EQ(d.windowTitle(), "Sortie analogique variable");
    choose(QTL_OUTPUT_DRIVER_FEW);
    EXPECT_EQ(programSettings().variableAnalogDriverFile, QTL_OUTPUT_DRIVER_FEW);
    for (QWidget* w :
         std::initializer_list<QWidget*>{d.Labelsa1, d.Edit_formule_variable1, d.cbsveff1,
                                         d.label_formule_past, d.Label_detail, d.Breglages}) {
        EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
    }
    choose(QTL_OUTPUT_DRIVER_THREE);
    for (QWidget* w :
         std::initializer_list<QWidget*>{d.Labelsa1, d.Edit_formule_variable1, d.cbsveff1,
                                         d.label_formule_past, d.Label_detail, d.Breglages}) {
        EXPECT_TRUE(shown(w)) << w->objectName().toStdString();
    }
    EXPECT_EQ(d.Labelsa1->text(), "tension 0");
    EXPECT_EQ(d.Label_detail->text(), "sorties d'essai (détail)");
}

TEST_F(VariableOutputDialog, ActivatedFormulaThenFaultyFormulaFallsBackToP) {
    choose(QTL_SIMULATION_DRIVER);
    confirm("2*P+1", true);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(user.messages(), QStringList{"sortie variable activée"});
    EXPECT_TRUE(updateVariableOutput(programSettings(), 3.0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(simulatedOutput0(), 7.0);

    user.clear();
    confirm("2*Q", true);
    EXPECT_EQ(user.messages(), (QStringList{"Erreur dans la fonction", "sortie variable activée"}));
    EXPECT_EQ(d.Edit_formule_variable1->text(), "2*P+1");
    EXPECT_EQ(programSettings().variableOutputFormulaText, "2*P+1");
    EXPECT_TRUE(updateVariableOutput(programSettings(), 2.5, 0, 0, 0));
    EXPECT_DOUBLE_EQ(simulatedOutput0(), 2.5);

    user.clear();
    confirm("2*P+1", false);
    EXPECT_EQ(user.messages(), QStringList{"sortie variable non activée"});
    EXPECT_FALSE(updateVariableOutput(programSettings(), 9.0, 0, 0, 0));
}

TEST_F(VariableOutputDialog, CancelRestoresTheEditAndTheCheckBox) {
    choose(QTL_OUTPUT_DRIVER_THREE);
    confirm("P-A", true);
    d.Edit_formule_variable1->setText("P*P");
    d.cbsveff1->setChecked(false);
    d.bb_annule->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(d.Edit_formule_variable1->text(), "P-A");
    EXPECT_TRUE(d.cbsveff1->isChecked());
    EXPECT_EQ(programSettings().variableOutputFormulaText, "P-A");

    // A cancelled file dialog after a choice reloads that driver; nothing changes.
    choose("");
    EXPECT_EQ(programSettings().variableAnalogDriverFile, QTL_OUTPUT_DRIVER_THREE);
    EXPECT_TRUE(shown(d.Edit_formule_variable1));
}

}  // namespace
}  // namespace qtl
