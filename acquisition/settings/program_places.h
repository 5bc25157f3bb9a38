// Where the program finds and puts its files: the drivers folder, the demo settings, the memo
// file and the places where "QTL.CFG" is looked for. Run from its build folder the program
// keeps the files beside itself; installed, what it writes goes to the user's data and
// configuration folders, so it never writes into a system folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qtl {

struct ProgramPlaces {
    std::string programFolder;  // folder of the running program
    bool installed = false;     // false in the build tree
    std::string driversFolder;
    std::string demoSettingsFile;
    std::string memoFile;    // "memo.csv"
    std::string docsFolder;  // the guides as HTML pages (build tree: <bin>/../doc)
    // "QTL.CFG" candidates, first found wins: the program's folder in the build tree; the
    // user's configuration folder, then the system's ones (XDG) once installed.
    std::vector<std::string> startupSettingsFiles;
};

// The environment a computation of the places reads: variables and the file system.
struct PlacesEnvironment {
    std::function<std::string(const char*)> variable;  // "" when unset
    std::function<bool(const std::string&)> folderExists;
};

// Places for a program living in `programFolder`. The build tree is recognised by a
// "pilotes" folder beside the program's folder (<bin>/../pilotes).
ProgramPlaces computeProgramPlaces(const std::string& programFolder, const PlacesEnvironment& env);

// The places of this process; the program's folder is set once at start-up.
void setProgramFolder(const std::string& folder);
const ProgramPlaces& programPlaces();

}  // namespace qtl
