// Start-up of qtl32: settings, formulas, clock, the windows, then the message loop.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "settings/program_places.h"

namespace qtl {

class TMainForm;

// Replaces the start-up settings file reader (tests); nullptr puts back the program's own,
// which reads the file as "lire des réglages" does and shows a file error in the error box.
void setStartupSettingsReader(std::function<void(const std::string& path)> reader);

// Steps 1 to 4 of the start-up: formula library, settings defaults, clock calibration (when
// asked), the long-lived windows, the start-up settings file, the channel formulas compiled
// again from their texts, the banner's size. The main window is returned, not yet shown.
TMainForm& startProgram(const QStringList& arguments, const ProgramPlaces& places,
                        bool calibrateClock);
// The same for a program in its build folder `programFolder` ("QTL.CFG" beside it).
TMainForm& startProgram(const QStringList& arguments, const QString& programFolder,
                        bool calibrateClock);

// "--version" and "--help": the text to print and leave, or nothing for a normal start.
std::optional<std::string> commandLineInformation(const QStringList& arguments);

// The whole program: returns the exit code of the message loop.
int runQtl32(int argc, char** argv);

}  // namespace qtl
