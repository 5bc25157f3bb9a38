// The program's places, from its own folder and the XDG variables.
#include "settings/program_places.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#ifndef QTL_INSTALL_LIBDIR
#define QTL_INSTALL_LIBDIR "lib"
#endif
#ifndef QTL_INSTALL_DATADIR
#define QTL_INSTALL_DATADIR "share"
#endif

namespace qtl {

namespace fs = std::filesystem;

namespace {

std::string join(const fs::path& a, const char* b) {
    return (a / b).lexically_normal().string();
}

// $VAR, or $HOME/fallback when VAR is unset or not absolute (as the XDG rules say).
fs::path xdgFolder(const PlacesEnvironment& env, const char* var, const char* fallback) {
    const std::string value = env.variable(var);
    if (!value.empty() && fs::path(value).is_absolute()) return value;
    const std::string home = env.variable("HOME");
    return fs::path(home.empty() ? "." : home) / fallback;
}

// $XDG_CONFIG_DIRS (absolute entries, in order), or /etc/xdg when it names none.
std::vector<fs::path> xdgConfigDirs(const PlacesEnvironment& env) {
    std::vector<fs::path> folders;
    const std::string value = env.variable("XDG_CONFIG_DIRS");
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(':', start), value.size());
        const fs::path folder(value.substr(start, end - start));
        if (folder.is_absolute()) folders.push_back(folder);
        start = end + 1;
    }
    if (folders.empty()) folders.emplace_back("/etc/xdg");
    return folders;
}

std::string currentFolderOfProcess() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path().string();
    return fs::current_path(ec).string();
}

std::optional<ProgramPlaces>& storedPlaces() {
    static std::optional<ProgramPlaces> places;
    return places;
}

}  // namespace

ProgramPlaces computeProgramPlaces(const std::string& programFolder, const PlacesEnvironment& env) {
    ProgramPlaces p;
    // "bin/" would otherwise have "bin" as parent and the build tree would go unseen.
    fs::path bin = fs::path(programFolder).lexically_normal();
    if (!bin.has_filename() && bin.has_relative_path()) bin = bin.parent_path();
    p.programFolder = bin.string();
    const fs::path prefix = bin.parent_path();
    const std::string buildDrivers = join(prefix, "pilotes");
    p.installed = !env.folderExists(buildDrivers);
    if (!p.installed) {
        p.driversFolder = buildDrivers;
        p.demoSettingsFile = join(prefix / "pilotes", "demo.cfg");
        p.memoFile = join(bin, "memo.csv");
        p.docsFolder = join(prefix, "doc");
        p.startupSettingsFiles = {join(bin, "QTL.CFG")};
        return p;
    }
    p.driversFolder = join(prefix / QTL_INSTALL_LIBDIR / "quantrel", "pilotes");
    p.demoSettingsFile = join(prefix / QTL_INSTALL_DATADIR / "quantrel", "demo.cfg");
    p.memoFile = join(xdgFolder(env, "XDG_DATA_HOME", ".local/share") / "quantrel", "memo.csv");
    p.docsFolder = join(prefix / QTL_INSTALL_DATADIR / "doc", "quantrel");
    p.startupSettingsFiles = {
        join(xdgFolder(env, "XDG_CONFIG_HOME", ".config") / "quantrel", "QTL.CFG")};
    for (const fs::path& folder : xdgConfigDirs(env)) {
        p.startupSettingsFiles.push_back(join(folder / "quantrel", "QTL.CFG"));
    }
    return p;
}

void setProgramFolder(const std::string& folder) {
    PlacesEnvironment env;
    env.variable = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    env.folderExists = [](const std::string& path) {
        std::error_code ec;
        return fs::is_directory(path, ec);
    };
    storedPlaces() = computeProgramPlaces(folder, env);
}

const ProgramPlaces& programPlaces() {
    if (!storedPlaces()) setProgramFolder(currentFolderOfProcess());
    return *storedPlaces();
}

}  // namespace qtl
