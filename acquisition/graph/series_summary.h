// A bounded picture of a long series for drawing it whole: the points fall in runs of
// consecutive points (the run length doubles whenever the runs would pass their limit), and
// each run keeps its first, lowest, highest and last point. A line through the kept points has
// the series' envelope, so a chart showing the whole series draws the same picture from a few
// thousand points as from millions. Appending updates it in constant time on average.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graph/data_series.h"

namespace qtl {

class SeriesSummary {
  public:
    SeriesSummary() : SeriesSummary(2048) {}
    explicit SeriesSummary(std::size_t maxRuns);

    // Takes the points of `series` past those already summarised; with `restart` (the series
    // changed other than at its end) summarises it again from its first point.
    void update(const DataSeries& series, bool restart);
    void clear();

    // Indices of the kept points, ascending (so in X order).
    const std::vector<std::size_t>& keptIndices() const;
    std::size_t summarisedCount() const { return count_; }
    std::size_t runLength() const { return runLength_; }

  private:
    struct Run {
        std::size_t first, low, high, last;
    };
    void add(const DataSeries& series, std::size_t i);
    void halveRuns(const DataSeries& series);

    std::size_t maxRuns_;
    std::size_t runLength_ = 1;
    std::size_t count_ = 0;
    std::vector<Run> runs_;
    mutable std::vector<std::size_t> kept_;
    mutable bool keptStale_ = true;
};

}  // namespace qtl
