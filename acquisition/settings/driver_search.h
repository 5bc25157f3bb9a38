// Where a driver library named in a settings file is looked for, so that a settings file and
// its drivers can be moved together: a relative path (or a bare file name) is tried in the
// settings file's folder, then in the drivers folder, then left to the system's own search.
#pragma once

#include <string>

namespace qtl {

// The path to hand to the loader for the path written in a settings file: the first candidate
// file that exists and loads, or the written path itself (absolute paths always); "" (nothing
// to load) for a path holding a zero byte.
std::string locateDriver(const std::string& written, const std::string& settingsFolder,
                         const std::string& driversFolder);

}  // namespace qtl
