// The start-up settings file choice: FICHCONFIG=path arguments and QTL.CFG.
#include "settings/startup_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace qtl {
namespace {

namespace fs = std::filesystem;

class StartupFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() /
            ("qtl-startup-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(StartupFile, LastFichconfigArgumentWinsWhateverItsCase) {
    std::ofstream(folder / "QTL.CFG") << "INTERVALLE=5\r\n";
    EXPECT_EQ(
        startupSettingsFile({"FICHCONFIG=a.cfg", "x", "fichConfig=/b/c.cfg"}, folder.string()),
        "/b/c.cfg");
    EXPECT_EQ(startupSettingsFile({"FICHCONFIG="}, folder.string()), "");
    EXPECT_EQ(startupSettingsFile({"FICHCONFIG"}, folder.string()), (folder / "QTL.CFG").string())
        << "no '=': not the key";
}

TEST_F(StartupFile, QtlCfgOnlyWhenItExists) {
    EXPECT_EQ(startupSettingsFile({"autre=1"}, folder.string()), std::nullopt);
    std::ofstream(folder / "QTL.CFG") << "\r\n";
    EXPECT_EQ(startupSettingsFile({}, folder.string()), (folder / "QTL.CFG").string());
    fs::remove(folder / "QTL.CFG");
    fs::create_directory(folder / "QTL.CFG");
    EXPECT_EQ(startupSettingsFile({}, folder.string()), std::nullopt) << "a folder is no file";
}

TEST_F(StartupFile, InstalledProgramFallsBackOnTheDemoUnlessTheUserHasSettings) {
    ProgramPlaces places;
    places.installed = true;
    places.demoSettingsFile = (folder / "demo.cfg").string();
    places.startupSettingsFiles = {(folder / "user" / "QTL.CFG").string(),
                                   (folder / "system" / "QTL.CFG").string()};
    EXPECT_EQ(startupSettingsFile({}, places), std::nullopt) << "no demo file either";
    std::ofstream(folder / "demo.cfg") << "\r\n";
    EXPECT_EQ(startupSettingsFile({}, places), places.demoSettingsFile);
    fs::create_directories(folder / "system");
    std::ofstream(folder / "system" / "QTL.CFG") << "\r\n";
    EXPECT_EQ(startupSettingsFile({}, places), places.startupSettingsFiles[1]);
    fs::create_directories(folder / "user");
    std::ofstream(folder / "user" / "QTL.CFG") << "\r\n";
    EXPECT_EQ(startupSettingsFile({}, places), places.startupSettingsFiles[0]);
    EXPECT_EQ(startupSettingsFile({"FICHCONFIG=x.cfg"}, places), "x.cfg");
    places.installed = false;
    fs::remove_all(folder / "user");
    fs::remove_all(folder / "system");
    EXPECT_EQ(startupSettingsFile({}, places), std::nullopt) << "the build tree has no demo start";
}

}  // namespace
}  // namespace qtl
