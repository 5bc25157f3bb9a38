// Mean and sample standard deviation of the y values of a data series.
#pragma once

#include <span>

namespace qtl {

// (sum of y) / n; 0 for an empty series.
double seriesMean(std::span<const double> y);

// Sample standard deviation, from the mean in a second pass; 0 for fewer than two values
// and for equal values.
double seriesStdDev(std::span<const double> y);

}  // namespace qtl
