// The channel dialog and the settings file commands as the user meets them, offscreen, with a
// scripted user.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "outputs/outputs_state.h"
#include "settings/dynamic_library.h"
#include "settings/input_driver.h"
#include "settings/program_places.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/settings_commands.h"
#include "settings/windows/udmatp10.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"

namespace qtl {
namespace {

using testkit::RecordedExchange;

QStringList rows(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
    return texts;
}

class ChannelDialogWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
    }
    void TearDown() override { resetProgramSettings(); }

    // "ChoixPilote" answered with `path` ("" cancels the file dialog).
    void choose(Tfdmatp& dialog, const QString& path) {
        user.queueFile(path);
        dialog.ChoixPilote->click();
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
    const QString driver = QStringLiteral(QTL_TEST_DRIVER_COMPLETE);
};

TEST_F(ChannelDialogWindow, PrincipalChannelWithoutDriver) {
    Tfdmatp dialog('P');
    EXPECT_EQ(dialog.windowTitle(), "");
    EXPECT_TRUE(dialog.CheckBox1->isHidden());
    EXPECT_EQ(dialog.Label1->text(), "pilote non chargé");
    EXPECT_EQ(dialog.ListBox1->count(), 0);
    EXPECT_FALSE(dialog.reglages->isEnabled());
    EXPECT_EQ(dialog.saisietitrevoie->text(), "voie principale");
    EXPECT_EQ(dialog.Edit1->text(), "P");
    EXPECT_TRUE(dialog.RadioButton1->isChecked());

    choose(dialog, {});  // cancelled: nothing loaded
    EXPECT_TRUE(programSettings().channelP.driverFile.empty());
    ASSERT_EQ(user.exchanges().size(), 1u);
    const FileDialogRequest& asked = user.exchanges()[0].file;
    EXPECT_EQ(asked.title, "Choix du pilote (V. princ)");
    EXPECT_EQ(asked.filter.toStdString(), inputDriverFileFilter());
    EXPECT_EQ(asked.directory.toStdString(), programPlaces().driversFolder);
}

TEST_F(ChannelDialogWindow, DriverChosenThenCancelledStaysLoaded) {
    programSettings().channelA.inputIndex = 1;
    {
        Tfdmatp dialog('A');
        EXPECT_EQ(dialog.windowTitle(), "Voie auxiliaire");
        EXPECT_FALSE(dialog.CheckBox1->isHidden());
        choose(dialog, driver);
        EXPECT_EQ(rows(*dialog.ListBox1), (QStringList{"EA0", "EA1"}));
        EXPECT_TRUE(dialog.ListBox1->selectedItems().isEmpty());
        EXPECT_EQ(dialog.Label1->text(), "pilote d'essai éprouvé");
        EXPECT_TRUE(dialog.reglages->isEnabled());
        dialog.CancelBtn->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(programSettings().channelA.active);
    EXPECT_EQ(programSettings().channelA.driverFile, driver.toStdString());
    Tfdmatp again('A');
    ASSERT_EQ(again.ListBox1->selectedItems().size(), 1);
    EXPECT_EQ(again.ListBox1->selectedItems().front()->text(), "EA1") << "the old inputIndex";
}

TEST_F(ChannelDialogWindow, ReglagesCallsTheDriverAndRefreshesWithoutAFileDialog) {
    Tfdmatp dialog('S');
    choose(dialog, driver);
    dialog.ListBox1->setCurrentRow(1);
    dialog.reglages->click();
    dialog.reglages->click();
    EXPECT_EQ(programSettings().channelS.calibrationText, "++");
    EXPECT_EQ(user.exchanges().size(), 1u) << "only the first choice asked for a file";
    EXPECT_EQ(dialog.ListBox1->count(), 2);
    EXPECT_TRUE(dialog.ListBox1->selectedItems().isEmpty());

    choose(dialog, QStringLiteral(QTL_TEST_DRIVER_NO_EAD));
    EXPECT_EQ(dialog.Label1->text(), "pilote non chargé");
    EXPECT_EQ(dialog.ListBox1->count(), 0);
    EXPECT_FALSE(programSettings().channelS.active);
    choose(dialog, QStringLiteral(QTL_TEST_DRIVER_NO_DETAIL));  // inputs but no description
    EXPECT_EQ(dialog.Label1->text(), "pilote non chargé");
    EXPECT_EQ(dialog.ListBox1->count(), 2);
}

TEST_F(ChannelDialogWindow, OkTakesOverTheFieldsAndReportsAFaultyFormulaOnce) {
    Tfdmatp dialog('A');
    choose(dialog, driver);
    dialog.ListBox1->setCurrentRow(1);
    dialog.CheckBox1->setChecked(false);
    dialog.saisietitrevoie->setText("température");
    dialog.RadioButton3->setChecked(true);
    dialog.Edit1->setText("2*Q");
    dialog.OKBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(user.messages(), QStringList{"Erreur dans la fonction"});
    const ChannelSettings& a = programSettings().channelA;
    EXPECT_FALSE(a.active) << "not measured although its driver is ready";
    EXPECT_EQ(a.inputIndex, 1);
    EXPECT_EQ(a.title, "température");
    EXPECT_EQ(a.lineStyle, 2);
    EXPECT_EQ(a.formulaText, "2*Q");
}

TEST_F(ChannelDialogWindow, SettingsSavedAndReadBackThroughTheCommands) {
    QTemporaryDir folder;
    {
        Tfdmatp dialog('P');
        choose(dialog, driver);
        dialog.ListBox1->setCurrentRow(1);
        dialog.saisietitrevoie->setText("tension (V)");
        dialog.Edit1->setText("P*2");
        dialog.OKBtn->click();
    }
    outputsState().logic.names = {"SB0"};
    outputsState().logic.checked = {true};
    const QString name = QDir(folder.path()).filePath("tp");
    user.queueFile(name);
    saveSettingsCommand();
    EXPECT_TRUE(QFile::exists(name + ".cfg"));

    resetProgramSettings();
    programSettings().externalPath = "ancien";
    user.queueFile({});  // cancelled: only externalPath is emptied
    readSettingsCommand();
    EXPECT_TRUE(programSettings().externalPath.empty());
    EXPECT_FALSE(programSettings().channelP.active);

    user.queueFile(name + ".cfg");
    readSettingsCommand();
    const ChannelSettings& p = programSettings().channelP;
    EXPECT_TRUE(p.active);
    EXPECT_EQ(p.inputIndex, 1);
    EXPECT_EQ(p.title, "tension (V)");
    EXPECT_EQ(p.formulaText, "P*2");
    EXPECT_DOUBLE_EQ(readEad(p), 3.5) << "the settings-file name of the converted reading";
    EXPECT_TRUE(user.messages().isEmpty());

    user.queueFile(QDir(folder.path()).filePath("absent/tp.cfg"));
    saveSettingsCommand();
    EXPECT_EQ(user.messages(), QStringList{"Fichier introuvable"});
    outputsState() = OutputsState{};
}

TEST_F(ChannelDialogWindow, MenuEntriesOpenTheDialogWithTheBannerOrdinaryMeanwhile) {
    createProgramWindows();
    TMainForm& form = *programWindows().MainForm;
    const std::pair<const char*, const char*> entries[] = {
        {"matériel voie P", ""},
        {"matériel voie Aux", "Voie auxiliaire"},
        {"Matériel voie Supp", "Voie supplémentaire"}};
    for (const auto& [caption, title] : entries) {
        bool onTopMeanwhile = true;
        char channel = 0;
        user.queueDialog([&](QDialog& dialog) {
            onTopMeanwhile = form.alwaysOnTop();
            auto* matp = qobject_cast<Tfdmatp*>(&dialog);
            if (matp != nullptr) channel = matp->channel();
            return int(QDialog::Rejected);
        });
        QAction* entry = testkit::findAction(form, QString::fromUtf8(caption));
        ASSERT_NE(entry, nullptr) << caption;
        entry->trigger();
        EXPECT_EQ(user.exchanges().back().title, QString::fromUtf8(title));
        EXPECT_EQ(channel, programSettings().currentChannel);
        EXPECT_FALSE(onTopMeanwhile);
        EXPECT_TRUE(form.alwaysOnTop());
    }
    destroyProgramWindows();
}

}  // namespace
}  // namespace qtl
