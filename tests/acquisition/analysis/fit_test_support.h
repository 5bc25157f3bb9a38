// Synthetic data for the fitting tests: points of a model with known parameters, with or
// without Gaussian noise from a fixed seed.
#pragma once

#include <random>
#include <vector>

#include "analysis/fit_model.h"

namespace qtl::test {

struct Samples {
    std::vector<double> x;
    std::vector<double> y;
};

inline Samples samplesOf(const FitModel& model, const std::vector<double>& truth, double x0,
                         double x1, std::size_t n, double noise = 0, unsigned seed = 20261208) {
    std::mt19937 engine(seed);
    std::normal_distribution<double> gauss(0.0, noise > 0 ? noise : 1.0);
    Samples s;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = x0 + (x1 - x0) * static_cast<double>(i) / static_cast<double>(n - 1);
        s.x.push_back(x);
        s.y.push_back(model.value(truth, x) + (noise > 0 ? gauss(engine) : 0.0));
    }
    return s;
}

}  // namespace qtl::test
