// The transformation of the P series by a typed formula.
#include "graph/processing_transform.h"

#include <algorithm>

#include "formula/formula.h"

namespace qtl {

namespace {

constexpr std::size_t kMinLetterPoints = 3;

// Y values that a letter reads: none when its series is too short to count.
std::span<const double> letterValues(const DataSeries& series) {
    if (series.count() < kMinLetterPoints) return {};
    return series.ys();
}

double at(std::span<const double> values, std::size_t i) {
    return i < values.size() ? values[i] : 0.0;
}

}  // namespace

void transformP(GraphModel& model, std::string_view formulaText) {
    CompiledFormula formula;
    Definis_Fonction(kTransformParameters, formulaText, formula);

    DataSeries& points = model.points(Channel::P);
    DataSeries& line = model.line(Channel::P);
    const std::span<const double> pointA = letterValues(model.points(Channel::A));
    const std::span<const double> pointS = letterValues(model.points(Channel::S));
    const std::span<const double> lineA = letterValues(model.line(Channel::A));
    const std::span<const double> lineS = letterValues(model.line(Channel::S));

    // All four letters are always bound: X must be the abscissa whatever the other series
    // hold, and a short series must not leave a value from an earlier formula in its slot.
    const std::size_t n = std::max(points.count(), line.count());
    for (std::size_t i = 0; i < n; ++i) {
        if (i < points.count()) {
            points.setY(
                i, Evalue4(formula, points.ys()[i], at(pointA, i), at(pointS, i), points.xs()[i]));
        }
        if (i < line.count()) {
            line.setY(i, Evalue4(formula, line.ys()[i], at(lineA, i), at(lineS, i), line.xs()[i]));
        }
    }
}

}  // namespace qtl
