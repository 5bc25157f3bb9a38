// The program's places: a build tree keeps its files beside the program; an installed program
// finds its drivers under its library folder and writes to the user's XDG folders.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/program_places.h"

namespace qtl {
namespace {

PlacesEnvironment fakeEnvironment(std::map<std::string, std::string> variables,
                                  std::set<std::string> folders) {
    PlacesEnvironment env;
    env.variable = [variables](const char* name) {
        const auto it = variables.find(name);
        return it == variables.end() ? std::string() : it->second;
    };
    env.folderExists = [folders](const std::string& path) { return folders.count(path) > 0; };
    return env;
}

TEST(ProgramPlaces, BuildTreeKeepsItsFilesBesideTheProgram) {
    const auto env = fakeEnvironment({{"HOME", "/home/eleve"}}, {"/src/build/pilotes"});
    for (const char* folder : {"/src/build/bin", "/src/build/bin/", "/src/build/./bin"}) {
        const ProgramPlaces p = computeProgramPlaces(folder, env);
        EXPECT_FALSE(p.installed) << folder;
        EXPECT_EQ(p.programFolder, "/src/build/bin") << folder;
        EXPECT_EQ(p.driversFolder, "/src/build/pilotes") << folder;
        EXPECT_EQ(p.demoSettingsFile, "/src/build/pilotes/demo.cfg") << folder;
        EXPECT_EQ(p.memoFile, "/src/build/bin/memo.csv") << folder;
        EXPECT_EQ(p.docsFolder, "/src/build/doc") << folder;
        EXPECT_EQ(p.startupSettingsFiles, std::vector<std::string>{"/src/build/bin/QTL.CFG"});
    }
}

TEST(ProgramPlaces, InstalledProgramUsesLibraryAndXdgFolders) {
    const std::string lib = QTL_INSTALL_LIBDIR;
    const std::string data = QTL_INSTALL_DATADIR;
    const struct {
        std::map<std::string, std::string> variables;
        std::string memo;
        std::vector<std::string> config;
    } cases[] = {
        {{{"HOME", "/home/eleve"}},
         "/home/eleve/.local/share/quantrel/memo.csv",
         {"/home/eleve/.config/quantrel/QTL.CFG", "/etc/xdg/quantrel/QTL.CFG"}},
        {{{"HOME", "/home/eleve"},
          {"XDG_DATA_HOME", "/data"},
          {"XDG_CONFIG_HOME", "/conf"},
          {"XDG_CONFIG_DIRS", "/site:relatif::/etc/xdg"}},
         "/data/quantrel/memo.csv",
         {"/conf/quantrel/QTL.CFG", "/site/quantrel/QTL.CFG", "/etc/xdg/quantrel/QTL.CFG"}},
        // Relative XDG folders are ignored, as the XDG rules say.
        {{{"HOME", "/home/eleve"}, {"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", "conf"}},
         "/home/eleve/.local/share/quantrel/memo.csv",
         {"/home/eleve/.config/quantrel/QTL.CFG", "/etc/xdg/quantrel/QTL.CFG"}},
    };
    for (const auto& c : cases) {
        const ProgramPlaces p = computeProgramPlaces("/usr/bin", fakeEnvironment(c.variables, {}));
        EXPECT_TRUE(p.installed);
        EXPECT_EQ(p.driversFolder,
                  (lib.front() == '/' ? lib : "/usr/" + lib) + "/quantrel/pilotes");
        EXPECT_EQ(p.demoSettingsFile,
                  (data.front() == '/' ? data : "/usr/" + data) + "/quantrel/demo.cfg");
        EXPECT_EQ(p.docsFolder, (data.front() == '/' ? data : "/usr/" + data) + "/doc/quantrel");
        EXPECT_EQ(p.memoFile, c.memo);
        EXPECT_EQ(p.startupSettingsFiles, c.config);
    }
}

TEST(ProgramPlaces, ProcessPlacesFollowTheProgramFolder) {
    setProgramFolder("/nonexistent/qtl/bin");
    EXPECT_EQ(programPlaces().programFolder, "/nonexistent/qtl/bin");
    EXPECT_TRUE(programPlaces().installed);
}

}  // namespace
}  // namespace qtl
