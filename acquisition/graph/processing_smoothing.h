// "lissage P": five-point smoothing, in place, of every series of a graph window.
#pragma once

#include "graph/data_series.h"
#include "graph/graph_model.h"

namespace qtl {

// Replaces each Y value, in a fixed order, by the mean of five values around it, using the
// values already replaced; the ends repeat the end value. A series of 5 points or fewer is
// left as it is; X values and counts never change.
void smoothSeries(DataSeries& series);

// Series1 to Series6 in order, each over its own points.
void smoothAllSeries(GraphModel& model);

}  // namespace qtl
