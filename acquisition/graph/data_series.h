// One data series of a graph window: (X, Y) pairs of 64-bit reals kept in ascending X, with
// the look the chart gives it. Appending at the end is amortised O(1); a point with a smaller
// X is inserted at its place. Version counters let a view pick up only what changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qtl {

enum class SeriesKind { Points, Line };
enum class MarkerShape { Rectangle, Triangle, Diamond };
enum class PenStyle { Solid, Dash, Dot, DashDot };
enum class VerticalAxis { Left, Right };

// 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kGreen = 0x008000;
inline constexpr Rgb kBlue = 0x0000FF;
inline constexpr Rgb kYellow = 0xFFFF00;

struct SeriesStyle {
    SeriesKind kind = SeriesKind::Points;
    Rgb colour = kRed;  // line colour, marker outline
    MarkerShape marker = MarkerShape::Rectangle;
    Rgb markerBrush = kRed;  // marker fill
    bool markerVisible = true;
    int markerWidth = 2;  // half sizes in pixels, as the dialogs count them
    int markerHeight = 2;
    bool lineVisible = true;
    int lineWidth = 1;
    PenStyle lineStyle = PenStyle::Solid;
    VerticalAxis axis = VerticalAxis::Left;

    friend bool operator==(const SeriesStyle&, const SeriesStyle&) = default;
};

struct ValueRange {
    double min = 0;
    double max = 0;
};

class DataSeries {
  public:
    DataSeries() = default;
    DataSeries(std::string title, SeriesStyle style);

    // Adds a point at its place in X order (after the points with an equal X).
    void add(double x, double y);
    // Adds the points in their order, with the same result as adding them one by one, in a
    // time linear in the points (plus sorting the new ones when they are out of X order).
    void addPoints(std::span<const double> xs, std::span<const double> ys);
    // The X order: NaN after every number.
    static bool xLess(double a, double b);
    void clear();
    void reserve(std::size_t n);

    std::size_t count() const { return x_.size(); }
    bool empty() const { return x_.empty(); }
    // Throw std::out_of_range past the end.
    double x(std::size_t i) const { return x_.at(i); }
    double y(std::size_t i) const { return y_.at(i); }
    void setY(std::size_t i, double value);

    std::span<const double> xs() const { return x_; }
    std::span<const double> ys() const { return y_; }

    // Replaces all points by a copy of another series' points; the look stays.
    void assignPoints(const DataSeries& other);

    // Running total of the Y values.
    double yTotal() const { return yTotal_; }
    // Extents of the finite values; nothing for a series without any.
    std::optional<ValueRange> xRange() const;
    std::optional<ValueRange> yRange() const;

    const std::string& title() const { return title_; }

    const SeriesStyle& style() const { return style_; }
    void setStyle(const SeriesStyle& style);
    void setMarkerVisible(bool visible);
    void setMarkerSize(int width, int height);
    void setLineVisible(bool visible);
    void setLineWidth(int width);
    void setLineStyle(PenStyle style);
    void setVerticalAxis(VerticalAxis axis);

    // Bumped by every change of points.
    std::uint64_t dataVersion() const { return dataVersion_; }
    // Bumped by every change other than appending at the end: a view that saw an older
    // value must take all points again, otherwise only those past its count.
    std::uint64_t resetVersion() const { return resetVersion_; }
    std::uint64_t styleVersion() const { return styleVersion_; }

  private:
    void widenY(double y);
    void changed(bool reset);

    std::string title_;
    SeriesStyle style_;
    std::vector<double> x_;
    std::vector<double> y_;
    double yTotal_ = 0;
    // Cached Y extents; recomputed when a replaced value may have been one of them.
    mutable std::optional<ValueRange> yRange_;
    mutable bool yRangeStale_ = false;
    std::uint64_t dataVersion_ = 0;
    std::uint64_t resetVersion_ = 0;
    std::uint64_t styleVersion_ = 0;
};

}  // namespace qtl
