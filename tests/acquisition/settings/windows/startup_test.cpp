// The start-up sequence: windows in order, the settings file hook before the formulas are
// compiled again, the banner's size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "formula/formula.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/udcadrages10.h"
#include "graph/windows/udtemps10.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/about10.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/startup.h"
#include "settings/windows/ugroschiffres.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"

namespace qtl {
namespace {

class Startup : public ::testing::Test {
  protected:
    void SetUp() override { testkit::application(); }
    void TearDown() override {
        setStartupSettingsReader(nullptr);
        destroyProgramWindows();
        resetProgramSettings();
    }
    QTemporaryDir folder;
};

TEST_F(Startup, CreatesTheWindowsAndSizesTheBanner) {
    programSettings().intervalUs = 5;  // left over from an earlier run: start-up resets it
    destroyGraphWindows();
    const auto axisDialogs = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TcadrageDlg*>(w) != nullptr) ++n;
        return n;
    };
    ASSERT_EQ(axisDialogs(), 0);
    TMainForm& form = startProgram({}, folder.path(), false);
    EXPECT_EQ(axisDialogs(), 1);
    const ProgramWindows& w = programWindows();
    EXPECT_EQ(&form, w.MainForm.get());
    ASSERT_NE(w.AboutBox, nullptr);
    ASSERT_NE(w.fdtemps, nullptr);
    ASSERT_NE(w.fgroschiffres, nullptr);
    EXPECT_FALSE(w.AboutBox->isVisible());
    EXPECT_FALSE(w.fgroschiffres->isVisible());
    EXPECT_EQ(form.size(), QSize(450, 80));
    EXPECT_EQ(form.windowTitle(), "QTL");
    EXPECT_EQ(programSettings().intervalUs, 1000000);
    EXPECT_DOUBLE_EQ(Evalue4(programSettings().channelS.formula, 1, 2, 3, 4), 3);
}

TEST_F(Startup, SettingsFileArgumentIsReadBeforeTheFormulasAreCompiledAgain) {
    std::vector<std::string> read;
    setStartupSettingsReader([&](const std::string& path) {
        read.push_back(path);
        programSettings().channelA.formulaText = "A*10";
    });
    startProgram({"fichconfig=/x/un.cfg", "FICHCONFIG=/x/deux.cfg"}, folder.path(), false);
    EXPECT_EQ(read, std::vector<std::string>{"/x/deux.cfg"});
    EXPECT_DOUBLE_EQ(Evalue4(programSettings().channelA.formula, 0, 2, 0, 0), 20);
}

TEST_F(Startup, QtlCfgInTheProgramFolderOrNothing) {
    std::vector<std::string> read;
    setStartupSettingsReader([&](const std::string& path) { read.push_back(path); });
    startProgram({}, folder.path(), false);
    EXPECT_TRUE(read.empty());
    destroyProgramWindows();

    QFile cfg(QDir(folder.path()).filePath("QTL.CFG"));
    ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
    cfg.close();
    startProgram({}, folder.path(), false);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(QString::fromStdString(read[0]), cfg.fileName());
}

// The program's own reader: FICHCONFIG names the file, otherwise QTL.CFG beside the program.
TEST_F(Startup, ProgramReaderAppliesTheStartupFile) {
    QTemporaryDir elsewhere;
    const auto write = [](const QString& path, const QByteArray& text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    const QByteArray driver = QTL_SIMULATION_DRIVER;
    const QString named = QDir(elsewhere.path()).filePath("tp.cfg");
    write(named, "PILOTEA=" + driver + "\r\nPECA=1\r\nFONCTIONA=A*10\r\nTITREA=essai\r\n");
    write(QDir(folder.path()).filePath("QTL.CFG"), "TITREP=par defaut\r\nPILOTEP=" + driver);

    startProgram({"FICHCONFIG=" + named}, folder.path(), false);
    const ProgramSettings& s = programSettings();
    EXPECT_TRUE(s.channelA.active);
    EXPECT_EQ(s.channelA.title, "essai");
    EXPECT_EQ(s.channelP.title, "voie principale") << "FICHCONFIG wins over QTL.CFG";
    EXPECT_DOUBLE_EQ(Evalue4(s.channelA.formula, 0, 2, 0, 0), 20);
    programWindows().MainForm->timeractuelTimer();
    EXPECT_TRUE(programWindows().MainForm->windowTitle().startsWith("QTL32 VP indisp.   VA:"));
    destroyProgramWindows();

    startProgram({}, folder.path(), false);
    EXPECT_EQ(programSettings().channelP.title, "par defaut");
    EXPECT_TRUE(programSettings().channelP.active);
    EXPECT_FALSE(programSettings().channelA.active);
}

TEST_F(Startup, UnreadableStartupFileShowsItsErrorAndTheProgramStarts) {
    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
    startProgram({"FICHCONFIG=" + folder.path()}, folder.path(), false);  // a folder
    EXPECT_EQ(user.messages(), QStringList{QString("Erreur E/S %1").arg(EISDIR)});
    EXPECT_NE(programWindows().MainForm, nullptr);
}

}  // namespace
}  // namespace qtl
