// The numbers of a graph window as tab-separated text for a spreadsheet, as the "Editer" copy
// commands put them on the clipboard.
#pragma once

#include <string>

#include "graph/graph_model.h"

namespace qtl {

struct ProgramSettings;

// One line per point of the P point series, each ended by a lone carriage return: X, tab, P,
// then tab and A when the A point series holds more than one point, then tab and S likewise.
// Numbers in formatReal's 8 decimals with `decimalSeparator` as decimal mark. Past the end of
// a shorter A or S series the field is empty but its tab stays.
std::string clipboardText(const GraphModel& model, char decimalSeparator);

// "copier (point decimal)": the text with the settings' decimalSeparator.
std::string copyPointText(const GraphModel& model, const ProgramSettings& settings);

// "copier (virgule decimale)": decimalSeparator is "," for this copy and "." afterwards,
// also when building the text fails.
std::string copyCommaText(const GraphModel& model, ProgramSettings& settings);

}  // namespace qtl
