// Mean and sample standard deviation of the y values of a data series.
#pragma once

#include <span>

namespace qtl {

// (sum of y) / n; 0 for an empty series.
double seriesMean(std::span<const double> y);

// Square root of (sum of y^2 - (sum of y)^2 / n) / (n - 1); 0 for fewer than two values.
double seriesStdDev(std::span<const double> y);

}  // namespace qtl
