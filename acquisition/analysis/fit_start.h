// Automatic starting values of the nonlinear built-in models, read from the data: extremes,
// zero crossings, a log-linear fit for exponentials, refined by small linear sub-fits.
#pragma once

#include <span>
#include <vector>

#include "analysis/fit_model.h"

namespace qtl {

// Starting values for the exponential, first-order rise, damped sine and power models, from
// finite points (x ascending or not). Empty for the other models.
std::vector<double> automaticStart(const FitModel& model, std::span<const double> xs,
                                   std::span<const double> ys);

}  // namespace qtl
