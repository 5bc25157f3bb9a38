// Series set-up of a graph window and the automatic axis ranges.
#include "graph/graph_model.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace qtl {

namespace {

SeriesStyle pointStyle(Rgb colour, MarkerShape marker, Rgb brush, VerticalAxis axis) {
    SeriesStyle s;
    s.kind = SeriesKind::Points;
    s.colour = colour;
    s.marker = marker;
    s.markerBrush = brush;
    s.lineVisible = false;
    s.axis = axis;
    return s;
}

SeriesStyle lineStyle(Rgb colour, VerticalAxis axis) {
    SeriesStyle s;
    s.kind = SeriesKind::Line;
    s.colour = colour;
    s.markerBrush = colour;
    s.markerVisible = false;
    s.axis = axis;
    return s;
}

void widen(std::optional<ValueRange>& total, const std::optional<ValueRange>& part) {
    if (!part) return;
    if (!total) {
        total = part;
    } else {
        total->min = std::min(total->min, part->min);
        total->max = std::max(total->max, part->max);
    }
}

}  // namespace

GraphModel::GraphModel()
    : series_{
          DataSeries("SerieP", pointStyle(kRed, MarkerShape::Rectangle, kRed, VerticalAxis::Left)),
          DataSeries("SerieA",
                     pointStyle(kGreen, MarkerShape::Triangle, kGreen, VerticalAxis::Right)),
          DataSeries("SerieS",
                     pointStyle(kYellow, MarkerShape::Diamond, kBlue, VerticalAxis::Left)),
          DataSeries("SerieP", lineStyle(kRed, VerticalAxis::Left)),
          DataSeries("SerieA", lineStyle(kGreen, VerticalAxis::Right)),
          DataSeries("SerieS", lineStyle(kBlue, VerticalAxis::Left)),
      } {}

DataSeries& GraphModel::series(int number) {
    if (number < 1 || number > static_cast<int>(kSeriesCount)) {
        throw std::out_of_range("graph series number");
    }
    return series_[static_cast<std::size_t>(number - 1)];
}

const DataSeries& GraphModel::series(int number) const {
    return const_cast<GraphModel*>(this)->series(number);
}

void GraphModel::addPoint(Channel c, double x, double y) {
    points(c).add(x, y);
    line(c).add(x, y);
}

void GraphModel::addPoints(Channel c, std::span<const double> xs, std::span<const double> ys) {
    points(c).addPoints(xs, ys);
    line(c).addPoints(xs, ys);
}

void GraphModel::clearAllSeries() {
    for (auto& s : series_) s.clear();
}

void GraphModel::copyPointsFrom(const GraphModel& source) {
    for (std::size_t i = 0; i < kSeriesCount; ++i) series_[i].assignPoints(source.series_[i]);
}

void GraphModel::setChartTitle(const std::string& title) {
    if (title == chartTitle_) return;
    chartTitle_ = title;
    ++titleVersion_;
}

void GraphModel::setSTitle(const std::string& title) {
    if (title == sTitle_) return;
    sTitle_ = title;
    ++titleVersion_;
}

GraphAxis& GraphModel::axis(std::size_t i) const {
    if (rangeInputs() != fittedInputs_) updateAutomaticRanges();
    return axes_[i];
}

std::uint64_t GraphModel::rangeInputs() const {
    // Every counter only grows, so the sum changes with any of them.
    std::uint64_t v = 0;
    for (const auto& s : series_) v += s.dataVersion() + s.styleVersion();
    for (const auto& a : axes_) v += a.version();
    return v;
}

void GraphModel::updateAutomaticRanges() const {
    std::optional<ValueRange> x, left, right;
    for (const auto& s : series_) {
        widen(x, s.xRange());
        widen(s.style().axis == VerticalAxis::Left ? left : right, s.yRange());
    }
    const auto fit = [](GraphAxis& axis, const std::optional<ValueRange>& r) {
        if (axis.automatic() && r) axis.fitRange(r->min, r->max);
    };
    fit(axes_[0], x);
    fit(axes_[1], left);
    fit(axes_[2], right);
    fittedInputs_ = rangeInputs();
}

std::uint64_t GraphModel::version() const {
    if (rangeInputs() != fittedInputs_) updateAutomaticRanges();
    std::uint64_t v = titleVersion_;
    for (const auto& s : series_) v += s.dataVersion() + s.styleVersion();
    for (const auto& a : axes_) v += a.version();
    return v;
}

}  // namespace qtl
