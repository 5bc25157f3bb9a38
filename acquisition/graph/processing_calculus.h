// "Dérivée P/X" and "Intégration P/X": the points of a new graph window computed from the
// series of a source window, channel by channel.
#pragma once

#include "graph/graph_model.h"

namespace qtl {

// For each of P, A, S whose point series holds more than 2 points: for b = 1 .. m-1 (m the
// count of the shorter of the channel's point and line series), the point
// (x(b), (y(b) - y(b-1)) / (x(b) - x(b-1))) of the source point series is added to the
// target's point series, and the same from the source line series to the target's line
// series. Two successive points with the same abscissa give no point.
void fillDerivative(const GraphModel& source, GraphModel& target);

// For each of P, A, S whose point series holds more than 2 points: for b = 1 .. m-1, the
// running integral over X by the trapezoid rule,
// v(b) = sum for k = 1..b of (x(k) - x(k-1)) * (y(k) + y(k-1)) / 2, computed on the source
// point series, is added as (x(b), v(b)) to the target's point series and as (x'(b), v(b))
// to its line series, x' being the source line series' abscissa.
void fillIntegral(const GraphModel& source, GraphModel& target);

}  // namespace qtl
