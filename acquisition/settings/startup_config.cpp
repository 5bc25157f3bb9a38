// Start-up settings file choice.
#include "settings/startup_config.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace qtl {

namespace {

bool isFile(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

std::optional<std::string> startupSettingsFile(const std::vector<std::string>& arguments,
                                               const ProgramPlaces& places) {
    constexpr std::string_view kKey = "FICHCONFIG=";
    std::optional<std::string> chosen;
    for (const std::string& argument : arguments) {
        if (argument.size() < kKey.size()) continue;
        const bool matches = std::equal(
            kKey.begin(), kKey.end(), argument.begin(),
            [](char k, char c) { return k == std::toupper(static_cast<unsigned char>(c)); });
        if (matches) chosen = argument.substr(kKey.size());
    }
    if (chosen) return chosen;
    for (const std::string& candidate : places.startupSettingsFiles) {
        if (isFile(candidate)) return candidate;
    }
    if (places.installed && isFile(places.demoSettingsFile)) return places.demoSettingsFile;
    return std::nullopt;
}

std::optional<std::string> startupSettingsFile(const std::vector<std::string>& arguments,
                                               const std::string& programFolder) {
    ProgramPlaces places;
    places.programFolder = programFolder;
    places.startupSettingsFiles = {(std::filesystem::path(programFolder) / "QTL.CFG").string()};
    return startupSettingsFile(arguments, places);
}

}  // namespace qtl
