// The experiment held by one graph window: six series (a point series and a line series for
// each of P, A and S, which always receive the same points), the five titles, the A-active and
// S-active flags and the three axes. Windows, files and processing commands work on this
// model; the chart only draws it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "graph/data_series.h"
#include "graph/graph_axis.h"

namespace qtl {

enum class Channel { P = 0, A = 1, S = 2 };

class GraphModel {
  public:
    static constexpr std::size_t kSeriesCount = 6;

    GraphModel();

    // Series1..Series6: points P, A, S, then lines P, A, S.
    DataSeries& series(int number);
    const DataSeries& series(int number) const;
    DataSeries& points(Channel c) { return series_[index(c)]; }
    const DataSeries& points(Channel c) const { return series_[index(c)]; }
    DataSeries& line(Channel c) { return series_[index(c) + 3]; }
    const DataSeries& line(Channel c) const { return series_[index(c) + 3]; }

    // Adds (x, y) to both series of the channel.
    void addPoint(Channel c, double x, double y);
    // Adds the points to both series of the channel, as addPoint would one by one.
    void addPoints(Channel c, std::span<const double> xs, std::span<const double> ys);
    void clearAllSeries();
    // Every series becomes a copy of the same series of `source` (looks stay).
    void copyPointsFrom(const GraphModel& source);

    // The axes; an automatic axis always shows the extents of its series' finite values
    // (see updateAutomaticRanges), whoever reads it, drawn or not.
    GraphAxis& bottomAxis() { return axis(0); }
    GraphAxis& leftAxis() { return axis(1); }
    GraphAxis& rightAxis() { return axis(2); }
    const GraphAxis& bottomAxis() const { return axis(0); }
    const GraphAxis& leftAxis() const { return axis(1); }
    const GraphAxis& rightAxis() const { return axis(2); }
    GraphAxis& verticalAxis(VerticalAxis a) {
        return a == VerticalAxis::Left ? leftAxis() : rightAxis();
    }

    // The chart's title (one line) and the title of channel S, which is kept but not drawn.
    // The X, P and A titles are the bottom, left and right axis titles.
    const std::string& chartTitle() const { return chartTitle_; }
    void setChartTitle(const std::string& title);
    const std::string& sTitle() const { return sTitle_; }
    void setSTitle(const std::string& title);

    bool aActive = false;
    bool sActive = false;

    // Brings every automatic axis to the extents of the finite values of its series; an axis
    // without any value keeps its range. The axis accessors do it whenever the series, their
    // axes or the axes changed since the last time.
    void updateAutomaticRanges() const;

    // Changes with anything a view draws.
    std::uint64_t version() const;

  private:
    static std::size_t index(Channel c) { return static_cast<std::size_t>(c); }
    GraphAxis& axis(std::size_t i) const;
    std::uint64_t rangeInputs() const;

    std::array<DataSeries, kSeriesCount> series_;
    // The automatic ranges are derived from the series: kept up to date on reading.
    mutable std::array<GraphAxis, 3> axes_;
    mutable std::uint64_t fittedInputs_ = ~std::uint64_t{0};
    std::string chartTitle_;
    std::string sTitle_;
    std::uint64_t titleVersion_ = 0;
};

}  // namespace qtl
