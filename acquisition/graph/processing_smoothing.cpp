// Five-point smoothing in place.
#include "graph/processing_smoothing.h"

namespace qtl {

namespace {

double mean5(double a, double b, double c, double d, double e) {
    // Summed in this order, as the results are compared digit for digit.
    return (a + b + c + d + e) / 5.0;
}

}  // namespace

void smoothSeries(DataSeries& series) {
    const std::size_t n = series.count();
    if (n <= 5) return;
    // In place: each step sees the values replaced before it.
    series.editYs([n](std::span<double> y) {
        for (std::size_t i = 2; i + 2 < n; ++i)
            y[i] = mean5(y[i - 2], y[i - 1], y[i], y[i + 1], y[i + 2]);
        y[1] = mean5(y[0], y[0], y[1], y[2], y[3]);
        y[0] = mean5(y[0], y[0], y[0], y[1], y[2]);
        y[n - 2] = mean5(y[n - 4], y[n - 3], y[n - 2], y[n - 1], y[n - 1]);
        y[n - 1] = mean5(y[n - 3], y[n - 2], y[n - 1], y[n - 1], y[n - 1]);
    });
}

void smoothAllSeries(GraphModel& model) {
    for (int number = 1; number <= static_cast<int>(GraphModel::kSeriesCount); ++number) {
        smoothSeries(model.series(number));
    }
}

}  // namespace qtl
