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
    // Two passes: the squared deviations from the mean cannot cancel as the difference of
    // two large sums does (a constant series would show a rounding residue).
    double sum = 0.0;
    bool constant = true;
    for (double v : y) {
        sum += v;
        constant = constant && v == y[0];
    }
    if (constant) return 0.0;
    const double n = static_cast<double>(y.size());
    const double mean = sum / n;
    double squares = 0.0;
    for (double v : y) squares += (v - mean) * (v - mean);
    return std::sqrt(squares / (n - 1.0));
}

}  // namespace qtl
