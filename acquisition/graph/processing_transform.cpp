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
    const std::span<const double> pointX = points.xs();
    const std::span<const double> lineX = line.xs();

    // All four letters are always bound: X must be the abscissa whatever the other series
    // hold, and a short series must not leave a value from an earlier formula in its slot.
    // Both series are rewritten in place, so an error keeps the points done before it.
    points.editYs([&](std::span<double> pointY) {
        line.editYs([&](std::span<double> lineY) {
            const std::size_t n = std::max(pointY.size(), lineY.size());
            for (std::size_t i = 0; i < n; ++i) {
                if (i < pointY.size()) {
                    pointY[i] =
                        Evalue4(formula, pointY[i], at(pointA, i), at(pointS, i), pointX[i]);
                }
                if (i < lineY.size()) {
                    lineY[i] = Evalue4(formula, lineY[i], at(lineA, i), at(lineS, i), lineX[i]);
                }
            }
        });
    });
}

}  // namespace qtl
