// Which settings file the program reads at start-up: the last FICHCONFIG=path argument
// (key in any case), otherwise "QTL.CFG" in the program's folder when it exists.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qtl {

// `arguments` without the program name. Nothing when no argument names a file and
// QTL.CFG does not exist.
std::optional<std::string> startupSettingsFile(const std::vector<std::string>& arguments,
                                               const std::string& programFolder);

}  // namespace qtl
