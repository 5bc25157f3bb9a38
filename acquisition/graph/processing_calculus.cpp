// Derivative and running integral over X.
#include "graph/processing_calculus.h"

#include <algorithm>

namespace qtl {

namespace {

constexpr Channel kChannels[] = {Channel::P, Channel::A, Channel::S};
constexpr std::size_t kMinPoints = 3;  // "more than 2 points"

// The count both series of a channel can be read together, or 0 to skip the channel.
std::size_t readableCount(const GraphModel& source, Channel c) {
    if (source.points(c).count() < kMinPoints) return 0;
    return std::min(source.points(c).count(), source.line(c).count());
}

void differentiate(const DataSeries& from, std::size_t m, DataSeries& to) {
    const auto x = from.xs();
    const auto y = from.ys();
    to.reserve(to.count() + m);
    for (std::size_t b = 1; b < m; ++b) {
        const double dx = x[b] - x[b - 1];
        // Plain division otherwise: an infinity from a zero step would spoil the whole axis.
        if (dx == 0.0) continue;
        to.add(x[b], (y[b] - y[b - 1]) / dx);
    }
}

}  // namespace

void fillDerivative(const GraphModel& source, GraphModel& target) {
    for (const Channel c : kChannels) {
        const std::size_t m = readableCount(source, c);
        if (m == 0) continue;
        differentiate(source.points(c), m, target.points(c));
        differentiate(source.line(c), m, target.line(c));
    }
}

void fillIntegral(const GraphModel& source, GraphModel& target) {
    for (const Channel c : kChannels) {
        const std::size_t m = readableCount(source, c);
        if (m == 0) continue;
        const auto x = source.points(c).xs();
        const auto y = source.points(c).ys();
        const auto lineX = source.line(c).xs();
        DataSeries& points = target.points(c);
        DataSeries& line = target.line(c);
        points.reserve(points.count() + m);
        line.reserve(line.count() + m);
        double v = 0.0;
        for (std::size_t b = 1; b < m; ++b) {
            v += (x[b] - x[b - 1]) * (y[b] + y[b - 1]) / 2.0;
            points.add(x[b], v);
            line.add(lineX[b], v);
        }
    }
}

}  // namespace qtl
