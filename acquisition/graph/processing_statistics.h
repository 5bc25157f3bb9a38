// "statistiques": the text that describes the point series of a graph window.
#pragma once

#include <string>

#include "graph/graph_model.h"

namespace qtl {

// Title and point count, then the means and standard deviations of the point series that
// hold more than 5 points; lines end with a CR alone, an empty line follows the S mean.
// Numbers with 8 decimals and the given decimal mark.
std::string statisticsText(const GraphModel& model, char decimalSeparator);

}  // namespace qtl
