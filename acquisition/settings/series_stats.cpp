// Series statistics of the processing commands.
#include "settings/series_stats.h"

#include <cmath>

namespace qtl {

double seriesMean(std::span<const double> y) {
    if (y.empty()) return 0.0;
    double sum = 0.0;
    for (double v : y) sum += v;
    return sum / static_cast<double>(y.size());
}

double seriesStdDev(std::span<const double> y) {
    if (y.size() < 2) return 0.0;
    double sum = 0.0;
    double sumSquares = 0.0;
    for (double v : y) {
        sum += v;
        sumSquares += v * v;
    }
    const double n = static_cast<double>(y.size());
    const double variance = (sumSquares - sum * sum / n) / (n - 1.0);
    // Rounding can leave a constant series slightly below zero: that is a zero spread, not
    // the square root of a negative number.
    return variance < 0.0 ? 0.0 : std::sqrt(variance);
}

}  // namespace qtl
