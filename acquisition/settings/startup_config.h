// Which settings file the program reads at start-up: the last FICHCONFIG=path argument
// (key in any case), otherwise the first "QTL.CFG" of the program's places that exists; an
// installed program with neither starts on the demo settings, so the desktop menu entry opens
// on live values.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/program_places.h"

namespace qtl {

// `arguments` without the program name. Nothing when no argument names a file and no
// candidate exists (and, installed, the demo settings file does not exist either).
std::optional<std::string> startupSettingsFile(const std::vector<std::string>& arguments,
                                               const ProgramPlaces& places);

// The same for a program in its build folder: "QTL.CFG" in `programFolder`.
std::optional<std::string> startupSettingsFile(const std::vector<std::string>& arguments,
                                               const std::string& programFolder);

}  // namespace qtl
