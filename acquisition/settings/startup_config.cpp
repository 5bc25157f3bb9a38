// Start-up settings file choice.
#include "settings/startup_config.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace qtl {

std::optional<std::string> startupSettingsFile(const std::vector<std::string>& arguments,
                                               const std::string& programFolder) {
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
    const std::filesystem::path defaultFile = std::filesystem::path(programFolder) / "QTL.CFG";
    std::error_code ignored;
    if (std::filesystem::is_regular_file(defaultFile, ignored)) return defaultFile.string();
    return std::nullopt;
}

}  // namespace qtl
