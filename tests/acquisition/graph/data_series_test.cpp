// Ordering, extents, totals and change tracking of one data series.
#include "graph/data_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace qtl {
namespace {

std::vector<double> xsOf(const DataSeries& s) {
    return {s.xs().begin(), s.xs().end()};
}
std::vector<double> ysOf(const DataSeries& s) {
    return {s.ys().begin(), s.ys().end()};
}

TEST(DataSeries, KeepsXAscendingAndInsertsSmallerXAtItsPlace) {
    struct Case {
        std::vector<std::pair<double, double>> added;
        std::vector<double> xs;
        std::vector<double> ys;
    };
    const Case cases[] = {
        {{{1, 10}, {2, 20}, {3, 30}}, {1, 2, 3}, {10, 20, 30}},
        {{{3, 30}, {1, 10}, {2, 20}}, {1, 2, 3}, {10, 20, 30}},
        // Equal X: the later point goes after the earlier ones.
        {{{1, 10}, {2, 20}, {1, 11}}, {1, 1, 2}, {10, 11, 20}},
        {{{5, 1}, {-5, 2}, {0, 3}, {5, 4}}, {-5, 0, 5, 5}, {2, 3, 1, 4}},
    };
    for (const auto& c : cases) {
        DataSeries s;
        for (auto [x, y] : c.added) s.add(x, y);
        EXPECT_EQ(xsOf(s), c.xs);
        EXPECT_EQ(ysOf(s), c.ys);
    }
}

TEST(DataSeries, NanXGoesLastAndKeepsTheOrderOfTheOthers) {
    DataSeries s;
    s.add(std::nan(""), 1);
    s.add(2, 2);
    s.add(1, 3);
    ASSERT_EQ(s.count(), 3u);
    EXPECT_EQ(s.x(0), 1);
    EXPECT_EQ(s.x(1), 2);
    EXPECT_TRUE(std::isnan(s.x(2)));
    EXPECT_EQ(s.xRange()->min, 1);
    EXPECT_EQ(s.xRange()->max, 2);
}

TEST(DataSeries, IndexPastTheEndThrows) {
    DataSeries s;
    s.add(1, 1);
    EXPECT_THROW((void)s.x(1), std::out_of_range);
    EXPECT_THROW((void)s.y(5), std::out_of_range);
    EXPECT_THROW(s.setY(1, 0), std::out_of_range);
}

TEST(DataSeries, RangesFollowAddsReplacementsAndClear) {
    DataSeries s;
    EXPECT_FALSE(s.yRange());
    EXPECT_FALSE(s.xRange());
    s.add(0, 5);
    s.add(1, -2);
    s.add(2, std::numeric_limits<double>::infinity());
    s.add(3, 7);
    EXPECT_EQ(s.yRange()->min, -2);
    EXPECT_EQ(s.yRange()->max, 7);
    s.setY(3, 1);  // the maximum is replaced: the extents shrink
    EXPECT_EQ(s.yRange()->max, 5);
    s.setY(1, 3);
    EXPECT_EQ(s.yRange()->min, 1);
    s.setY(0, 100);
    EXPECT_EQ(s.yRange()->max, 100);
    s.clear();
    EXPECT_FALSE(s.yRange());
    EXPECT_EQ(s.count(), 0u);
}

TEST(DataSeries, TotalFollowsEveryChange) {
    DataSeries s;
    s.add(0, 1.5);
    s.add(1, 2.5);
    s.add(-1, 4);
    EXPECT_DOUBLE_EQ(s.yTotal(), 8);
    s.setY(0, 0);  // the 4 at X = -1
    EXPECT_DOUBLE_EQ(s.yTotal(), 4);
    DataSeries copy;
    copy.assignPoints(s);
    EXPECT_DOUBLE_EQ(copy.yTotal(), 4);
    s.clear();
    EXPECT_EQ(s.yTotal(), 0);
}

TEST(DataSeries, AppendKeepsResetVersionOtherChangesBumpIt) {
    DataSeries s;
    s.add(1, 1);
    const auto reset = s.resetVersion();
    const auto data = s.dataVersion();
    s.add(2, 2);
    s.add(2, 3);
    EXPECT_EQ(s.resetVersion(), reset);
    EXPECT_GT(s.dataVersion(), data);

    const auto steps = {+[](DataSeries& d) { d.add(0, 0); }, +[](DataSeries& d) { d.setY(0, 9); },
                        +[](DataSeries& d) { d.clear(); }};
    for (auto step : steps) {
        const auto before = s.resetVersion();
        step(s);
        EXPECT_GT(s.resetVersion(), before);
    }
}

TEST(DataSeries, AssignCopiesPointsButKeepsLookAndIsIndependent) {
    SeriesStyle red;
    red.colour = kRed;
    SeriesStyle blue;
    blue.colour = kBlue;
    DataSeries a("a", red), b("b", blue);
    a.add(1, 2);
    a.add(3, 4);
    b.assignPoints(a);
    a.add(5, 6);
    EXPECT_EQ(b.count(), 2u);
    EXPECT_EQ(b.style().colour, kBlue);
    EXPECT_EQ(b.title(), "b");
    EXPECT_EQ(ysOf(b), (std::vector<double>{2, 4}));
}

TEST(DataSeries, StyleSettersBumpOnlyOnChange) {
    DataSeries s;
    s.setLineWidth(3);
    const auto v = s.styleVersion();
    s.setLineWidth(3);
    EXPECT_EQ(s.styleVersion(), v);
    s.setLineStyle(PenStyle::Dot);
    EXPECT_EQ(s.style().lineStyle, PenStyle::Dot);
    EXPECT_GT(s.styleVersion(), v);
}

TEST(DataSeries, HoldsAMillionPointsAppendedInOrder) {
    DataSeries s;
    constexpr std::size_t n = 1'000'000;
    for (std::size_t i = 0; i < n; ++i) s.add(static_cast<double>(i), static_cast<double>(i % 7));
    ASSERT_EQ(s.count(), n);
    EXPECT_EQ(s.x(n - 1), static_cast<double>(n - 1));
    EXPECT_EQ(s.yRange()->max, 6);
    // One late point with a small X lands at its place.
    s.add(0.5, -1);
    EXPECT_EQ(s.x(1), 0.5);
    EXPECT_EQ(s.y(1), -1);
}

TEST(DataSeries, AddingInBulkEqualsAddingOneByOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::vector<double>> batches[] = {
        {{1, 2, 3}, {4, 5}},              // in order: appended
        {{3, 1, 2}, {2, nan, 0, 2, -1}},  // out of order, equal X, NaN
        {{nan, 5}, {5, 5, 4}},            // after a NaN
    };
    for (const auto& run : batches) {
        DataSeries one, bulk;
        for (const auto& xs : run) {
            std::vector<double> ys;
            for (std::size_t i = 0; i < xs.size(); ++i) {
                ys.push_back(static_cast<double>(one.count()) + 0.5);
                one.add(xs[i], ys.back());
            }
            const auto resets = bulk.resetVersion();
            bulk.addPoints(xs, ys);
            // Appending in order keeps what a view has seen; anything else resets it.
            const bool appended = xsOf(bulk).back() == xs.back();
            EXPECT_EQ(bulk.resetVersion() == resets,
                      appended && std::is_sorted(xs.begin(), xs.end()));
        }
        const auto a = xsOf(one), b = xsOf(bulk);
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_TRUE(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])));
        }
        EXPECT_EQ(ysOf(one), ysOf(bulk));
        EXPECT_EQ(one.yTotal(), bulk.yTotal());
    }
}

}  // namespace
}  // namespace qtl
