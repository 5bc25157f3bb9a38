// The three output dialogs driven as a user would, from the main window's menu: files picked
// through the scripted Interaction, buttons clicked, what the drivers received read back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
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
#include "settings/windows/Main13.h"
#include "settings/windows/program_windows.h"
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
        createProgramWindows();
        log.reset();
    }
    void TearDown() override {
        destroyProgramWindows();
        resetProgramSettings();
        outputsState() = OutputsState{};
    }

    // Opens the dialog from its menu entry; `act` plays the user while it is shown.
    template <class Dialog>
    void fromMenu(QAction* entry, std::function<void(Dialog&)> act) {
        user.queueDialog([act](QDialog& d) {
            act(dynamic_cast<Dialog&>(d));
            return d.result();
        });
        entry->trigger();
        ASSERT_FALSE(user.exchanges().empty());
    }
    void pick(const QString& file, QPushButton* choose) {
        user.queueFile(file);
        choose->click();
    }
    static bool shown(const QWidget* w) { return w->isVisibleTo(w->window()); }

    TMainForm& form() { return *programWindows().MainForm; }
    TFsortieslogiques& logic() { return *programWindows().Fsortieslogiques; }
    Tfsortiesfixes& fixed() { return *programWindows().fsortiesfixes; }
    Tfsortiev& variable() { return *programWindows().fsortiev; }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
    CallLog log{QTL_OUTPUT_DRIVER_THREE};
};

TEST_F(OutputDialogs, LogicListBuiltCheckedSentAndRebuiltAfterACancelledFileDialog) {
    fromMenu<TFsortieslogiques>(form().sortieslogiques1, [&](TFsortieslogiques& d) {
        d.OKBtn->click();  // no driver yet: nothing sent
        pick(QTL_OUTPUT_DRIVER_THREE, d.Choixpilote);
        ASSERT_EQ(d.CheckListBox1->count(), 2);  // "x" ends the list
        d.CheckListBox1->item(1)->setCheckState(Qt::Checked);
        d.OKBtn->click();
    });
    const FileDialogRequest& request = user.exchanges()[1].file;
    EXPECT_EQ(request.title, "Choix du pilote (V. princ)");
    EXPECT_TRUE(request.filter.contains("*.pim"));
    EXPECT_EQ(request.directory, QString::fromStdString(programPlaces().driversFolder));
    EXPECT_EQ(logic().Label1->text(), "sorties d'essai (détail)");
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'b', 0, 0.0}, {'b', 1, 1.0}}));

    log.reset();
    fromMenu<TFsortieslogiques>(form().sortieslogiques1, [&](TFsortieslogiques& d) {
        EXPECT_EQ(d.CheckListBox1->item(1)->checkState(), Qt::Checked);  // kept between uses
        pick("", d.Choixpilote);  // cancelled: the previous library again, unchecked
        ASSERT_EQ(d.CheckListBox1->count(), 2);
        EXPECT_EQ(d.CheckListBox1->item(1)->checkState(), Qt::Unchecked);
        d.OKBtn->click();
    });
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'b', 0, 0.0}, {'b', 1, 0.0}}));
    EXPECT_EQ(user.exchanges()[3].file.fileName, QTL_OUTPUT_DRIVER_THREE);  // still held

    // And after the cancel the dialog still holds that name.
    pick("", logic().Choixpilote);
    EXPECT_EQ(user.exchanges().back().file.fileName, QTL_OUTPUT_DRIVER_THREE);
}

TEST_F(OutputDialogs, ListsThatNeverEndStopAt1024Names) {
    pick(QTL_OUTPUT_DRIVER_ENDLESS, logic().Choixpilote);
    EXPECT_EQ(logic().CheckListBox1->count(), static_cast<int>(kMaxDriverListNames));
    pick(QTL_OUTPUT_DRIVER_ENDLESS, fixed().Choixpilote);
    for (int k = 0; k < 6; ++k) EXPECT_TRUE(shown(fixed().editors[k])) << k;
}

TEST_F(OutputDialogs, FixedThreeNamedOutputsThenADriverNamingFewer) {
    fromMenu<Tfsortiesfixes>(form().sortiesanalogiquesfixes1, [&](Tfsortiesfixes& d) {
        EXPECT_FALSE(shown(d.editors[0]) || shown(d.Button1));
        pick(QTL_OUTPUT_DRIVER_THREE, d.Choixpilote);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(shown(d.editors[k]), k < 3) << k;
        EXPECT_EQ(d.labels[2]->text(), "chauffage");
        EXPECT_EQ(d.Label1->text(), "Sorties d'essai");
        d.editors[0]->setValue(1.23456);
        d.editors[2]->setValue(-2e6);
        d.OKBtn->click();
    });
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 0, 1.2346},
                                                    {'a', 1, 0.0},
                                                    {'a', 2, -1e6},
                                                    {'a', 3, 0.0},
                                                    {'a', 4, 0.0},
                                                    {'a', 5, 0.0}}));
    log.reset();
    ASSERT_TRUE(shown(fixed().Button1) && fixed().Button1->isEnabled());
    fixed().Button1->click();
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'c', -1, 0.0}}));  // called with ""

    pick(QTL_OUTPUT_DRIVER_FEW, fixed().Choixpilote);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(shown(fixed().editors[k]), k == 0) << k;
    EXPECT_EQ(fixed().labels[0]->text(), "V0");
    EXPECT_FALSE(shown(fixed().Button1));
}

TEST_F(OutputDialogs, FixedStepsAndAFieldASettingsFileShows) {
    Tfsortiesfixes& d = fixed();
    EXPECT_TRUE(d.RadioGroup1Items[1]->isChecked());
    for (const auto& [item, step] : {std::pair{3, 0.01}, {0, 10.0}, {4, 0.001}}) {
        d.RadioGroup1Items[item]->click();
        for (QDoubleSpinBox* editor : d.editors) {
            editor->setValue(1.0);
            editor->stepBy(1);
            EXPECT_NEAR(editor->value(), 1.0 + step, 1e-9) << item;
        }
    }
    outputsState().fixed.shown[4] = true;
    outputsState().fixed.values[4] = 123456.7891;
    fromMenu<Tfsortiesfixes>(form().sortiesanalogiquesfixes1, [](Tfsortiesfixes& f) {
        EXPECT_TRUE(shown(f.editors[4]));
        EXPECT_DOUBLE_EQ(f.editors[4]->value(), 123456.7891);
        EXPECT_EQ(f.labels[4]->text(), "sortie 4");  // no driver named it
    });
}

TEST_F(OutputDialogs, VariableFormulaShownOnlyForANameOfThreeCharacters) {
    Tfsortiev& d = variable();
    const QWidget* formula[] = {d.Labelsa1, d.Edit_formule_variable1, d.cbsveff1,
                                d.label_formule_past};
    pick(QTL_OUTPUT_DRIVER_FEW, d.Bchoixpilotesav);  // "V0"
    for (const QWidget* w : formula) EXPECT_FALSE(shown(w));
    EXPECT_FALSE(shown(d.Label_detail) || shown(d.Breglages));
    pick(QTL_OUTPUT_DRIVER_THREE, d.Bchoixpilotesav);
    for (const QWidget* w : formula) EXPECT_TRUE(shown(w));
    EXPECT_EQ(d.Labelsa1->text(), "tension 0");
    EXPECT_TRUE(shown(d.Label_detail) && shown(d.Breglages));
    EXPECT_EQ(programSettings().variableAnalogDriverFile, QTL_OUTPUT_DRIVER_THREE);
}

TEST_F(OutputDialogs, VariableActivatedFaultyFormulaAndCancel) {
    const auto confirm = [&](const QString& text, bool active) {
        fromMenu<Tfsortiev>(form().sortiesanalogiquesvariables1, [&](Tfsortiev& d) {
            d.Edit_formule_variable1->setText(text);
            d.cbsveff1->setChecked(active);
            d.BitBtn_ok->click();
        });
    };
    const auto readBack =
        findEntryPoint<qtl_pilote_real_read_fn>(loadLibrary(QTL_SIMULATION_DRIVER), "stdead");
    pick(QTL_SIMULATION_DRIVER, variable().Bchoixpilotesav);

    confirm("2*P+1", true);
    EXPECT_EQ(user.messages(), QStringList{"sortie variable activée"});
    EXPECT_TRUE(updateVariableOutput(programSettings(), 3.0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(readBack(4), 7.0);

    user.clear();
    confirm("2*Q", true);
    EXPECT_EQ(user.messages(), (QStringList{"Erreur dans la fonction", "sortie variable activée"}));
    EXPECT_EQ(variable().Edit_formule_variable1->text(), "2*P+1");
    EXPECT_TRUE(updateVariableOutput(programSettings(), 2.5, 0, 0, 0));  // follows P
    EXPECT_DOUBLE_EQ(readBack(4), 2.5);

    fromMenu<Tfsortiev>(form().sortiesanalogiquesvariables1, [](Tfsortiev& d) {
        d.Edit_formule_variable1->setText("P*P");
        d.cbsveff1->setChecked(false);
        d.bb_annule->click();
    });
    EXPECT_EQ(variable().Edit_formule_variable1->text(), "2*P+1");
    EXPECT_TRUE(variable().cbsveff1->isChecked());
    EXPECT_TRUE(programSettings().variableOutputActive);

    user.clear();
    confirm("2*P+1", false);
    EXPECT_EQ(user.messages(), QStringList{"sortie variable non activée"});
    EXPECT_FALSE(updateVariableOutput(programSettings(), 9.0, 0, 0, 0));
}

}  // namespace
}  // namespace qtl
