// Least-squares fitting of a model to (X, Y) points, with the parameters' standard
// uncertainties: linear least squares for the polynomial models, Levenberg–Marquardt with
// scaling for the others.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/fit_model.h"

namespace qtl {

struct FitOptions {
    // Only the points with X in [first, second] (the range shown); all of them when empty.
    std::optional<std::pair<double, double>> xRange;
    // Starting values (the free model's; the built-in ones have automatic values). Missing
    // values start at 1.
    std::vector<double> start;
    int maxIterations = 500;
};

enum class FitStatus {
    Ok,            // converged, every parameter with its uncertainty
    Undetermined,  // converged, but some parameters have no uncertainty (singular Jacobian)
    NotConverged,  // values are the last estimate
    Failed,        // nothing usable (message says why); values may hold a last estimate
};

struct FitResult {
    FitStatus status = FitStatus::Failed;
    std::string message;  // French; empty for a plain success
    std::vector<std::string> names;
    std::vector<double> values;
    std::vector<double> uncertainties;  // NaN: no uncertainty
    double residualStdDev = 0;
    double rSquared = 0;  // NaN when the Y values are all equal
    int iterations = 0;
    std::size_t pointsUsed = 0;
    std::size_t pointsSkipped = 0;  // NaN or infinite X or Y
    int rejectedEvaluations = 0;    // trial steps whose evaluation failed

    // The values describe a curve worth drawing as the fitted model.
    bool converged() const { return status == FitStatus::Ok || status == FitStatus::Undetermined; }
};

FitResult fitCurve(const FitModel& model, std::span<const double> xs, std::span<const double> ys,
                   const FitOptions& options = {});

}  // namespace qtl
