// The text of a fit result, as the modelling dialog shows and copies it.
#pragma once

#include <string>

#include "analysis/curve_fit.h"

namespace qtl {

// A value rounded to the precision its uncertainty gives (two significant digits of the
// uncertainty), with '.' or ',' as decimal mark.
std::string formatFitNumber(double value, double uncertainty, char decimalMark);

// One line per fact: the model, each parameter "name = value ± uncertainty", the residual
// standard deviation, R², the iterations, the points used and skipped, and the message.
std::string fitResultText(const FitModel& model, const FitResult& result, char decimalMark);

}  // namespace qtl
