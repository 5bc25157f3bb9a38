// The start-up sequence: windows in order, the settings file hook before the formulas are
// compiled again, the banner's size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "formula/formula.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/udcadrages10.h"
#include "graph/windows/udtemps10.h"
#include "settings/windows/Main13.h"
#include "settings/windows/about10.h"
#include "settings/program_settings.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/startup.h"
#include "settings/windows/ugroschiffres.h"
#include "testkit/gui_app.h"

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

TEST_F(Startup, DriverNamedInTheEnvironmentServesItsChannel) {
    qputenv("QTL_PILOTEA", QTL_SIMULATION_DRIVER);
    qputenv("QTL_PILOTES", "/nulle/part/absent.so");
    startProgram({}, folder.path(), false);
    qunsetenv("QTL_PILOTEA");
    qunsetenv("QTL_PILOTES");
    const ProgramSettings& s = programSettings();
    EXPECT_FALSE(s.channelP.active);
    EXPECT_TRUE(s.channelA.active);
    EXPECT_FALSE(s.channelS.active) << "a library that does not load leaves the channel off";
    EXPECT_EQ(s.channelS.driverFile, "/nulle/part/absent.so");
    programWindows().MainForm->timeractuelTimer();
    EXPECT_TRUE(programWindows().MainForm->windowTitle().startsWith("QTL32 VP indisp.   VA:"));
}

}  // namespace
}  // namespace qtl
