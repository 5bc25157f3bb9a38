// Reading a series between its points: the value at any X by linear interpolation, as the
// graph cursors and the resampling before a spectrum need it.
#pragma once

#include <optional>
#include <span>

namespace qtl {

// The value at x of the polyline through (xs[i], ys[i]), xs ascending. Nothing outside
// [xs.front(), xs.back()], for an empty series, or where a neighbouring value is not finite.
// Where several points share x, the first of them gives the value.
std::optional<double> interpolateAt(std::span<const double> xs, std::span<const double> ys,
                                    double x);

}  // namespace qtl
