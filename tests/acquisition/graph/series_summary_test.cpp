// The summary of a long series: bounded, ordered, keeping the envelope, and the same whether
// built at once or point by point.
#include "graph/series_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qtl {
namespace {

DataSeries noisySeries(std::size_t n) {
    DataSeries s;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = static_cast<double>(i);
        s.add(x, std::sin(x * 1e-3) + ((i * 7919) % 101) * 1e-3);
    }
    return s;
}

TEST(SeriesSummary, StaysBoundedOrderedAndKeepsEveryRunsExtremes) {
    const DataSeries s = noisySeries(1'000'000);
    SeriesSummary summary(1000);
    summary.update(s, false);
    const auto& kept = summary.keptIndices();
    EXPECT_LE(kept.size(), 4000u);
    EXPECT_GT(kept.size(), 1000u);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_EQ(kept.front(), 0u);
    EXPECT_EQ(kept.back(), 999'999u);
    // Within every run the kept points hold its lowest and highest value.
    const auto ys = s.ys();
    const std::size_t run = summary.runLength();
    for (std::size_t start = 0; start < s.count(); start += run) {
        const std::size_t end = std::min(start + run, s.count());
        const auto lo = std::min_element(ys.begin() + start, ys.begin() + end) - ys.begin();
        const auto hi = std::max_element(ys.begin() + start, ys.begin() + end) - ys.begin();
        ASSERT_TRUE(std::binary_search(kept.begin(), kept.end(), std::size_t(lo))) << start;
        ASSERT_TRUE(std::binary_search(kept.begin(), kept.end(), std::size_t(hi))) << start;
    }
}

TEST(SeriesSummary, PointByPointGivesTheSameAsAtOnceAndRestartForgets) {
    const DataSeries whole = noisySeries(50'000);
    SeriesSummary atOnce(256);
    atOnce.update(whole, false);
    DataSeries growing;
    SeriesSummary stepwise(256);
    for (std::size_t i = 0; i < whole.count(); ++i) {
        growing.add(whole.x(i), whole.y(i));
        if (i % 97 == 0) stepwise.update(growing, false);
    }
    stepwise.update(growing, false);
    EXPECT_EQ(stepwise.keptIndices(), atOnce.keptIndices());

    DataSeries small;
    small.add(0, 1);
    small.add(1, 2);
    stepwise.update(small, true);
    EXPECT_EQ(stepwise.keptIndices(), (std::vector<std::size_t>{0, 1}));
}

TEST(SeriesSummary, AGapDoesNotHideTheEnvelope) {
    DataSeries s;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double ys[] = {nan, 5, nan, -3, nan, nan, 1, 2};
    for (std::size_t i = 0; i < 8; ++i) s.add(double(i), ys[i]);
    SeriesSummary summary(2);  // runs of 4
    summary.update(s, false);
    const auto& kept = summary.keptIndices();
    for (std::size_t extreme : {1u, 3u, 6u, 7u}) {
        EXPECT_TRUE(std::find(kept.begin(), kept.end(), extreme) != kept.end()) << extreme;
    }
}

}  // namespace
}  // namespace qtl
