// The axes' refusals and ranges, the six series of a window and automatic scaling.
#include "graph/graph_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace qtl {
namespace {

GraphAxis axisWith(double min, double max) {
    GraphAxis a;
    a.fitRange(min, max);
    return a;
}

std::string refusalOf(auto&& action) {
    try {
        action();
    } catch (const AxisRangeError& e) {
        return e.what();
    }
    return {};
}

TEST(GraphAxis, RefusesCrossingBoundsWithTheChartsTexts) {
    GraphAxis a = axisWith(0, 10);
    EXPECT_EQ(refusalOf([&] { a.setMinimum(11); }),
              "La valeur minimum de l'axe doit être <= Maximum");
    EXPECT_EQ(refusalOf([&] { a.setMaximum(-1); }),
              "La valeur maximum de l'axe doit être >= Minimum");
    EXPECT_EQ(a.minimum(), 0);
    EXPECT_EQ(a.maximum(), 10);
    // Equal bounds are allowed.
    a.setMinimum(10);
    EXPECT_EQ(a.minimum(), 10);
    a.setMaximum(10);
    EXPECT_EQ(refusalOf([&] { a.setMinimum(std::nan("")); }),
              "La valeur minimum de l'axe doit être <= Maximum");
}

TEST(GraphAxis, RefusalIsACommandError) {
    GraphAxis a = axisWith(0, 1);
    EXPECT_THROW(a.setMinimum(2), CommandError);
}

TEST(GraphAxis, SetRangeAcceptsAnyOrderedRangeWhateverTheCurrentOne) {
    struct Case {
        double curMin, curMax, newMin, newMax;
    };
    const Case cases[] = {
        {0, 0, 1, 1000},        // wholly above: maximum first
        {0, 1000, 2000, 3000},  // wholly above
        {0, 1000, -50, -10},    // wholly below
        {0, 1000, 500, 600},    // inside
        {0, 1000, -500, 5000},  // around
        {-10, -5, 5, 5},
    };
    for (const auto& c : cases) {
        GraphAxis a = axisWith(c.curMin, c.curMax);
        a.setRange(c.newMin, c.newMax);
        EXPECT_EQ(a.minimum(), c.newMin);
        EXPECT_EQ(a.maximum(), c.newMax);
    }
}

TEST(GraphAxis, SetRangeWithInvertedBoundsRefusesInThePlainOrder) {
    // A minimum above the current maximum is refused first; the maximum is not reached.
    GraphAxis above = axisWith(0, 1000);
    EXPECT_EQ(refusalOf([&] { above.setRange(2000, 1001); }),
              "La valeur minimum de l'axe doit être <= Maximum");
    EXPECT_EQ(above.maximum(), 1000);
    EXPECT_EQ(above.minimum(), 0);
    // Otherwise the minimum goes in, then the maximum is refused.
    GraphAxis inside = axisWith(0, 1000);
    EXPECT_EQ(refusalOf([&] { inside.setRange(500, 100); }),
              "La valeur maximum de l'axe doit être >= Minimum");
    EXPECT_EQ(inside.minimum(), 500);
    EXPECT_EQ(inside.maximum(), 1000);
}

TEST(GraphModel, SixSeriesWithTheirLooks) {
    GraphModel g;
    struct Expect {
        int number;
        const char* title;
        SeriesKind kind;
        Rgb colour;
        VerticalAxis axis;
    };
    const Expect expected[] = {
        {1, "SerieP", SeriesKind::Points, kRed, VerticalAxis::Left},
        {2, "SerieA", SeriesKind::Points, kGreen, VerticalAxis::Right},
        {3, "SerieS", SeriesKind::Points, kYellow, VerticalAxis::Left},
        {4, "SerieP", SeriesKind::Line, kRed, VerticalAxis::Left},
        {5, "SerieA", SeriesKind::Line, kGreen, VerticalAxis::Right},
        {6, "SerieS", SeriesKind::Line, kBlue, VerticalAxis::Left},
    };
    for (const auto& e : expected) {
        const auto& s = g.series(e.number).style();
        EXPECT_EQ(g.series(e.number).title(), e.title) << e.number;
        EXPECT_EQ(s.kind, e.kind) << e.number;
        EXPECT_EQ(s.colour, e.colour) << e.number;
        EXPECT_EQ(s.axis, e.axis) << e.number;
    }
    EXPECT_EQ(g.points(Channel::P).style().marker, MarkerShape::Rectangle);
    EXPECT_EQ(g.points(Channel::A).style().marker, MarkerShape::Triangle);
    EXPECT_EQ(g.points(Channel::S).style().marker, MarkerShape::Diamond);
    EXPECT_EQ(g.points(Channel::S).style().markerBrush, kBlue);
    EXPECT_FALSE(g.line(Channel::P).style().markerVisible);
    EXPECT_FALSE(g.points(Channel::P).style().lineVisible);
    EXPECT_THROW(g.series(0), std::out_of_range);
    EXPECT_THROW(g.series(7), std::out_of_range);
    EXPECT_EQ(&g.series(2), &g.points(Channel::A));
    EXPECT_EQ(&g.series(6), &g.line(Channel::S));
}

TEST(GraphModel, AddPointFillsBothSeriesOfTheChannelOnly) {
    GraphModel g;
    g.addPoint(Channel::A, 1, 2);
    EXPECT_EQ(g.points(Channel::A).count(), 1u);
    EXPECT_EQ(g.line(Channel::A).count(), 1u);
    EXPECT_EQ(g.points(Channel::P).count(), 0u);
    EXPECT_EQ(g.line(Channel::S).count(), 0u);
}

TEST(GraphModel, AutomaticAxesFollowTheirSeriesOthersKeepTheirRange) {
    GraphModel g;
    g.leftAxis().setRange(0, 1000);
    g.rightAxis().setRange(0, 1000);
    g.addPoint(Channel::P, 1, 5);
    g.addPoint(Channel::P, 4, -3);
    g.addPoint(Channel::A, 2, 50);
    g.addPoint(Channel::S, 9, 70);  // S on the left axis
    // No chart and no explicit update: whoever reads the model sees the automatic ranges.
    EXPECT_EQ(g.leftAxis().minimum(), -3);
    EXPECT_EQ(g.leftAxis().maximum(), 70);
    EXPECT_EQ(g.rightAxis().minimum(), 50);
    EXPECT_EQ(g.rightAxis().maximum(), 50);
    EXPECT_EQ(g.bottomAxis().minimum(), 1);
    EXPECT_EQ(g.bottomAxis().maximum(), 9);

    g.points(Channel::S).setVerticalAxis(VerticalAxis::Right);
    g.line(Channel::S).setVerticalAxis(VerticalAxis::Right);
    g.leftAxis().setAutomatic(false);
    g.leftAxis().setRange(-100, 100);
    const GraphModel& seen = g;
    EXPECT_EQ(seen.leftAxis().minimum(), -100);
    EXPECT_EQ(seen.leftAxis().maximum(), 100);
    EXPECT_EQ(seen.rightAxis().maximum(), 70);

    // Points added to a series directly, and an axis made automatic again.
    g.points(Channel::A).add(3, 90);
    EXPECT_EQ(seen.rightAxis().maximum(), 90);
    g.leftAxis().setAutomatic(true);
    EXPECT_EQ(seen.leftAxis().minimum(), -3);
    EXPECT_EQ(seen.leftAxis().maximum(), 5);
}

TEST(GraphModel, AutomaticAxisWithoutDataKeepsItsRange) {
    GraphModel g;
    g.rightAxis().setRange(0, 1000);
    g.addPoint(Channel::P, 0, 1);
    g.updateAutomaticRanges();
    EXPECT_EQ(g.rightAxis().minimum(), 0);
    EXPECT_EQ(g.rightAxis().maximum(), 1000);
}

TEST(GraphModel, CopyPointsFromCopiesAllSixAndStaysIndependent) {
    GraphModel a, b;
    for (int i = 0; i < 4; ++i) {
        a.addPoint(Channel::P, i, i);
        a.addPoint(Channel::A, i, 10 + i);
        a.addPoint(Channel::S, i, 20 + i);
    }
    a.line(Channel::S).add(9, 9);  // the series need not match
    b.line(Channel::P).setLineStyle(PenStyle::Dot);
    b.copyPointsFrom(a);
    for (int n = 1; n <= 6; ++n) {
        ASSERT_EQ(b.series(n).count(), a.series(n).count()) << n;
        for (std::size_t i = 0; i < a.series(n).count(); ++i) {
            EXPECT_EQ(b.series(n).x(i), a.series(n).x(i));
            EXPECT_EQ(b.series(n).y(i), a.series(n).y(i));
        }
    }
    EXPECT_EQ(b.line(Channel::P).style().lineStyle, PenStyle::Dot);
    a.addPoint(Channel::P, 10, 10);
    EXPECT_EQ(b.points(Channel::P).count(), 4u);
}

TEST(GraphModel, VersionChangesWithEverythingDrawn) {
    GraphModel g;
    auto v = g.version();
    const auto changes = {
        +[](GraphModel& m) { m.addPoint(Channel::P, 1, 1); },
        +[](GraphModel& m) { m.setChartTitle("t"); },
        +[](GraphModel& m) { m.setSTitle("s"); },
        +[](GraphModel& m) { m.bottomAxis().setTitle("x"); },
        +[](GraphModel& m) { m.rightAxis().setVisible(false); },
        +[](GraphModel& m) { m.line(Channel::A).setLineVisible(false); },
    };
    for (auto change : changes) {
        change(g);
        EXPECT_NE(g.version(), v);
        v = g.version();
    }
}

}  // namespace
}  // namespace qtl
