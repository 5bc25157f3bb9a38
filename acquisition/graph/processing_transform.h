// "transformer P=f(PAST)": both P series of a graph window become a formula of P, A, S and X.
#pragma once

#include <string_view>

#include "graph/graph_model.h"

namespace qtl {

inline constexpr const char* kTransformParameters = "PASX";

// Compiles `formulaText` for "PASX" (a faulty text becomes the identity "P") and replaces
// every Y of Series1 and Series4, index by index, by the formula's value with P the point's
// Y, X its abscissa, and A and S the Y values at the same index of the same kind of series.
// A letter whose series holds fewer than 3 points, or none at that index, is 0. X values and
// the A and S series stay as they are. An arithmetic error throws FormulaFatalError; the
// points transformed before it keep their new values.
void transformP(GraphModel& model, std::string_view formulaText);

}  // namespace qtl
