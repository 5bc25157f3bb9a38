// The readers of the graph window's "lirefichier" command: a DIF file (".dif") or a text table
// (any other file). They append to the window's series, set its titles from the file and turn
// its A-active and S-active flags on for the columns that gave values (A shows its right axis).
#pragma once

#include <filesystem>
#include <string>

#include "files/data_file_kind.h"
#include "files/line_reader.h"
#include "graph/graph_model.h"

namespace qtl {

// The text of the information box for a missing file.
std::string missingFileMessage(const std::string& name);

// Text table: the first line is a title line unless all its non-empty fields are numbers;
// the separator is the tab (csv: ","), or the tab, or ";" when the first line holds one.
// Data lines run to the first empty line; "TITREG=" lines after it give the general title.
void readTextTable(LineReader& lines, bool csv, FieldConversion conversion, GraphModel& model);

// DIF: 14 header lines skipped, the first tuple gives the titles (X, P, A, S), each later
// tuple one row; an empty string value leaves its column out of that row.
void readDif(LineReader& lines, FieldConversion conversion, GraphModel& model);

// Reads the file into the model by its extension. Throws DataFileError when the file cannot
// be opened or read; the points read before a read error stay.
void readDataFile(const std::filesystem::path& path, GraphModel& model);

}  // namespace qtl
