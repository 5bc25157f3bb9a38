// Ordered storage of one series and its cached extents.
#include "graph/data_series.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace qtl {

// NaN after everything, so that a NaN never breaks the binary search.
bool DataSeries::xLess(double a, double b) {
    return a < b || (!std::isnan(a) && std::isnan(b));
}

DataSeries::DataSeries(std::string title, SeriesStyle style)
    : title_(std::move(title)), style_(style) {}

void DataSeries::add(double x, double y) {
    if (x_.empty() || !xLess(x, x_.back())) {
        x_.push_back(x);
        y_.push_back(y);
        changed(false);
    } else {
        const auto at = std::upper_bound(x_.begin(), x_.end(), x, xLess);
        const auto index = std::distance(x_.begin(), at);
        x_.insert(at, x);
        y_.insert(y_.begin() + index, y);
        changed(true);
    }
    yTotal_ += y;
    widenY(y);
}

void DataSeries::addPoints(std::span<const double> xs, std::span<const double> ys) {
    const std::size_t n = std::min(xs.size(), ys.size());
    if (n == 0) return;
    const std::size_t old = x_.size();
    const bool inOrder =
        (old == 0 || !xLess(xs[0], x_.back())) &&
        std::is_sorted(xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(n), xLess);
    x_.insert(x_.end(), xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(n));
    y_.insert(y_.end(), ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(n));
    if (!inOrder) {
        // A stable sort of the new points, then a stable merge: each lands after the points
        // with an equal X that were there before it, as add() puts it.
        std::vector<std::size_t> order(x_.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        const auto byX = [this](std::size_t a, std::size_t b) { return xLess(x_[a], x_[b]); };
        const auto mid = order.begin() + static_cast<std::ptrdiff_t>(old);
        std::stable_sort(mid, order.end(), byX);
        std::inplace_merge(order.begin(), mid, order.end(), byX);
        std::vector<double> x(order.size()), y(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            x[i] = x_[order[i]];
            y[i] = y_[order[i]];
        }
        x_.swap(x);
        y_.swap(y);
    }
    for (std::size_t i = 0; i < n; ++i) {
        yTotal_ += ys[i];
        widenY(ys[i]);
    }
    changed(!inOrder);
}

void DataSeries::clear() {
    x_.clear();
    y_.clear();
    yTotal_ = 0;
    yRange_.reset();
    yRangeStale_ = false;
    changed(true);
}

void DataSeries::reserve(std::size_t n) {
    x_.reserve(n);
    y_.reserve(n);
}

void DataSeries::setY(std::size_t i, double value) {
    double& slot = y_.at(i);
    const double old = slot;
    slot = value;
    yTotal_ += value - old;
    if (yRange_ && std::isfinite(old) && (old <= yRange_->min || old >= yRange_->max)) {
        yRangeStale_ = true;
    }
    widenY(value);
    changed(true);
}

void DataSeries::assignPoints(const DataSeries& other) {
    if (&other == this) return;
    x_ = other.x_;
    y_ = other.y_;
    yTotal_ = other.yTotal_;
    yRange_ = other.yRange_;
    yRangeStale_ = other.yRangeStale_;
    changed(true);
}

std::optional<ValueRange> DataSeries::xRange() const {
    // Sorted: the finite values lie between any -inf at the front and +inf or NaN at the back.
    const auto first =
        std::find_if(x_.begin(), x_.end(), [](double v) { return std::isfinite(v); });
    if (first == x_.end()) return std::nullopt;
    const auto last =
        std::find_if(x_.rbegin(), x_.rend(), [](double v) { return std::isfinite(v); });
    return ValueRange{*first, *last};
}

std::optional<ValueRange> DataSeries::yRange() const {
    if (yRangeStale_) {
        yRange_.reset();
        for (double v : y_) {
            if (!std::isfinite(v)) continue;
            if (!yRange_) {
                yRange_ = ValueRange{v, v};
            } else {
                yRange_->min = std::min(yRange_->min, v);
                yRange_->max = std::max(yRange_->max, v);
            }
        }
        yRangeStale_ = false;
    }
    return yRange_;
}

void DataSeries::widenY(double y) {
    if (yRangeStale_ || !std::isfinite(y)) return;
    if (!yRange_) {
        yRange_ = ValueRange{y, y};
    } else {
        yRange_->min = std::min(yRange_->min, y);
        yRange_->max = std::max(yRange_->max, y);
    }
}

void DataSeries::changed(bool reset) {
    ++dataVersion_;
    if (reset) ++resetVersion_;
}

void DataSeries::setStyle(const SeriesStyle& style) {
    if (style == style_) return;
    style_ = style;
    ++styleVersion_;
}

void DataSeries::setMarkerVisible(bool visible) {
    SeriesStyle s = style_;
    s.markerVisible = visible;
    setStyle(s);
}

void DataSeries::setMarkerSize(int width, int height) {
    SeriesStyle s = style_;
    s.markerWidth = width;
    s.markerHeight = height;
    setStyle(s);
}

void DataSeries::setLineVisible(bool visible) {
    SeriesStyle s = style_;
    s.lineVisible = visible;
    setStyle(s);
}

void DataSeries::setLineWidth(int width) {
    SeriesStyle s = style_;
    s.lineWidth = width;
    setStyle(s);
}

void DataSeries::setLineStyle(PenStyle style) {
    SeriesStyle s = style_;
    s.lineStyle = style;
    setStyle(s);
}

void DataSeries::setVerticalAxis(VerticalAxis axis) {
    SeriesStyle s = style_;
    s.axis = axis;
    setStyle(s);
}

}  // namespace qtl
