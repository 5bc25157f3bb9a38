// The writer of the graph window's save commands: a text table (".tab", ".csv"), a DIF file
// (".dif") or an empty file (any other extension), in Windows-1252 with CR LF line ends.
#pragma once

#include <filesystem>
#include <string>

#include "files/data_file_kind.h"
#include "graph/graph_model.h"

namespace qtl {

struct ProgramSettings;

struct DataFileOptions {
    bool titles = true;    // the title line or title tuple
    bool details = false;  // the general title after the data
    char decimalSeparator = '.';
};

// The export flags and decimal mark of the settings record.
DataFileOptions dataFileOptions(const ProgramSettings& settings);

// Appends the file's bytes for the format. Columns: X and P always; A when A is active, or
// empty when only S is; S when S is active. Rows follow the P point series; a shorter A or S
// series leaves its fields empty.
void appendDataFile(std::string& out, SaveFormat format, const GraphModel& model,
                    const DataFileOptions& options);

// Writes the file through a temporary file and a rename; the format follows the extension.
// Throws DataFileError on any failure, the previous file left intact.
void writeDataFile(const std::filesystem::path& path, const GraphModel& model,
                   const DataFileOptions& options);

}  // namespace qtl
