// Start-up of qtl32: settings, formulas, clock, the windows, then the message loop.
#pragma once

#include <functional>
#include <string>

namespace qtl {

// Reads a settings file at start-up; installed by the settings file reader. Until one is
// installed, a start-up settings file is chosen but not read.
void setStartupSettingsReader(std::function<void(const std::string& path)> reader);

// The whole program: returns the exit code of the message loop.
int runQtl32(int argc, char** argv);

}  // namespace qtl
