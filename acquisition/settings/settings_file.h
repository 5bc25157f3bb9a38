// The settings file: "key=value" lines in Windows-1252 that save the acquisition settings, the
// output drivers and the output values ("sauver les réglages") and restore them ("lire des
// réglages", and the start-up file).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "outputs/outputs_state.h"
#include "settings/program_settings.h"

namespace qtl {

// The lines of a settings file in their order (UTF-8, without line ends).
std::vector<std::string> settingsFileLines(const ProgramSettings& settings,
                                           const OutputsState& outputs);

// The whole file: the lines in Windows-1252, each ended by CR LF.
std::string settingsFileBytes(const ProgramSettings& settings, const OutputsState& outputs);

// The name to save under: ".cfg" appended when the file name has no extension.
std::string withSettingsExtension(const std::string& name);

// Writes the file through a temporary file beside it; a FileError on failure leaves the
// previous file intact.
void saveSettingsFile(const std::string& path, const ProgramSettings& settings,
                      const OutputsState& outputs);

// Where the reader finds the driver libraries a file names.
struct SettingsReadContext {
    // The path to load for a path written in the file ("" loads nothing).
    std::function<std::string(const std::string& written)> locateDriver;

    // Relative paths tried in the settings file's folder, then in the drivers folder, then
    // by the system's search.
    static SettingsReadContext forFile(const std::string& settingsPath,
                                       const std::string& driversFolder);
};

// Applies one line (UTF-8, already cut to 250 characters) to the record and the outputs.
void applySettingsLine(std::string_view line, ProgramSettings& settings, OutputsState& outputs,
                       const SettingsReadContext& context);

// Steps 3 and 4 of reading: clears the channels' active flags and the output-ready flags,
// then applies each line of `bytes` in order. Lines end with CR LF, LF or a lone CR; each is
// cut to 250 characters and decoded from Windows-1252.
void applySettingsBytes(std::string_view bytes, ProgramSettings& settings, OutputsState& outputs,
                        const SettingsReadContext& context);

// Reads the file at `path` (from the existence test on): false, with nothing changed, when no
// such file exists; a FileError when it cannot be read (lines applied before stay applied).
// The file is read in blocks, so a huge file costs no memory beyond a line.
bool readSettingsFile(const std::string& path, ProgramSettings& settings, OutputsState& outputs,
                      const SettingsReadContext& context);

// readSettingsFile for the program's record and outputs, drivers searched beside the file and
// in the program's drivers folder.
bool readProgramSettingsFile(const std::string& path);

}  // namespace qtl
