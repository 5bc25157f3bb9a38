// Filling derived windows and enabling the view commands.
#include "graph/graph_views.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qtl {

namespace {

void copyChannel(const GraphModel& source, Channel from, GraphModel& target) {
    target.points(Channel::P).assignPoints(source.points(from));
    target.line(Channel::P).assignPoints(source.line(from));
}

void pair(const GraphModel& source, Channel xFrom, Channel yFrom, GraphModel& target) {
    const DataSeries& xs = source.points(xFrom);
    const DataSeries& ys = source.points(yFrom);
    const std::size_t n = std::min({source.points(Channel::P).count(), xs.count(), ys.count()});
    // A stable sort puts the pairs where adding them one by one would (equal X in index
    // order), without inserting into the middle of a large series again and again.
    std::vector<std::pair<double, double>> pairs;
    pairs.reserve(n);
    for (std::size_t i = 0; i < n; ++i) pairs.emplace_back(xs.y(i), ys.y(i));
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto& l, const auto& r) {
        return DataSeries::xLess(l.first, r.first);
    });
    target.points(Channel::P).reserve(target.points(Channel::P).count() + n);
    target.line(Channel::P).reserve(target.line(Channel::P).count() + n);
    for (const auto& [x, y] : pairs) target.addPoint(Channel::P, x, y);
}

}  // namespace

void fillView(GraphView view, const GraphModel& source, GraphModel& target) {
    switch (view) {
        case GraphView::TelQuel:
            target.copyPointsFrom(source);
            break;
        case GraphView::PfX:
            copyChannel(source, Channel::P, target);
            break;
        case GraphView::AfX:
            copyChannel(source, Channel::A, target);
            break;
        case GraphView::SfX:
            copyChannel(source, Channel::S, target);
            break;
        case GraphView::PfA:
            pair(source, Channel::A, Channel::P, target);
            break;
        case GraphView::PfS:
            pair(source, Channel::S, Channel::P, target);
            break;
        case GraphView::AfS:
            pair(source, Channel::S, Channel::A, target);
            break;
    }
}

ViewEnabling viewEnabling(const GraphModel& g) {
    const std::size_t a = g.points(Channel::A).count();
    const std::size_t s = g.points(Channel::S).count();
    ViewEnabling e;
    e.PfA = a > 2;
    e.AfX = a > 2;
    e.PfS = s >= 3;
    e.SfX = s >= 3;
    e.AfS = a > 2 && s >= 3;
    return e;
}

}  // namespace qtl
