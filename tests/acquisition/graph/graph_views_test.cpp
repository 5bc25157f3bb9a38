// The derived views of a graph window and the rules that enable them.
#include "graph/graph_views.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qtl {
namespace {

using Points = std::vector<std::pair<double, double>>;

Points pointsOf(const DataSeries& s) {
    Points p;
    for (std::size_t i = 0; i < s.count(); ++i) p.emplace_back(s.x(i), s.y(i));
    return p;
}

// X = 0..n-1; P = 10 + i, A = 20 - i, S = i * i.
GraphModel source(std::size_t nP, std::size_t nA, std::size_t nS) {
    GraphModel g;
    for (std::size_t i = 0; i < nP; ++i) g.addPoint(Channel::P, double(i), 10.0 + double(i));
    for (std::size_t i = 0; i < nA; ++i) g.addPoint(Channel::A, double(i), 20.0 - double(i));
    for (std::size_t i = 0; i < nS; ++i) g.addPoint(Channel::S, double(i), double(i * i));
    return g;
}

TEST(GraphViews, TelQuelCopiesAllSixSeries) {
    GraphModel src = source(4, 3, 2);
    src.line(Channel::A).add(99, 1);
    GraphModel dst;
    fillView(GraphView::TelQuel, src, dst);
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(pointsOf(dst.series(n)), pointsOf(src.series(n))) << n;
}

TEST(GraphViews, ChannelAgainstXBecomesTheNewP) {
    const GraphModel src = source(4, 5, 6);
    const std::pair<GraphView, Channel> cases[] = {
        {GraphView::PfX, Channel::P}, {GraphView::AfX, Channel::A}, {GraphView::SfX, Channel::S}};
    for (auto [view, channel] : cases) {
        GraphModel dst;
        fillView(view, src, dst);
        EXPECT_EQ(pointsOf(dst.points(Channel::P)), pointsOf(src.points(channel)));
        EXPECT_EQ(pointsOf(dst.line(Channel::P)), pointsOf(src.line(channel)));
        EXPECT_EQ(dst.points(Channel::A).count(), 0u);
        EXPECT_EQ(dst.line(Channel::S).count(), 0u);
    }
}

TEST(GraphViews, PairingViewsPairValuesAtTheSameIndexInXOrder) {
    const GraphModel src = source(4, 4, 4);
    GraphModel pfa, pfs, afs;
    fillView(GraphView::PfA, src, pfa);
    fillView(GraphView::PfS, src, pfs);
    fillView(GraphView::AfS, src, afs);
    // P=f(A): X = 20 - i (descending), so the series comes out reversed.
    EXPECT_EQ(pointsOf(pfa.points(Channel::P)), (Points{{17, 13}, {18, 12}, {19, 11}, {20, 10}}));
    EXPECT_EQ(pointsOf(pfa.line(Channel::P)), pointsOf(pfa.points(Channel::P)));
    EXPECT_EQ(pointsOf(pfs.points(Channel::P)), (Points{{0, 10}, {1, 11}, {4, 12}, {9, 13}}));
    EXPECT_EQ(pointsOf(afs.points(Channel::P)), (Points{{0, 20}, {1, 19}, {4, 18}, {9, 17}}));
}

TEST(GraphViews, PairingWithEqualXKeepsIndexOrder) {
    GraphModel src;
    const double a[] = {5, 1, 5, 1};
    for (int i = 0; i < 4; ++i) {
        src.addPoint(Channel::P, i, 100 + i);
        src.addPoint(Channel::A, i, a[i]);
    }
    GraphModel dst;
    fillView(GraphView::PfA, src, dst);
    EXPECT_EQ(pointsOf(dst.points(Channel::P)), (Points{{1, 101}, {1, 103}, {5, 100}, {5, 102}}));
}

TEST(GraphViews, PairingStopsAtTheShorterSeries) {
    struct Case {
        std::size_t nP, nA, nS;
        GraphView view;
        std::size_t expected;
    };
    const Case cases[] = {
        {10, 4, 0, GraphView::PfA, 4}, {10, 0, 7, GraphView::PfS, 7},
        {10, 3, 5, GraphView::AfS, 3}, {2, 10, 10, GraphView::AfS, 2},
        {0, 0, 0, GraphView::PfA, 0},  {5, 5, 0, GraphView::PfS, 0},
    };
    for (const auto& c : cases) {
        GraphModel dst;
        fillView(c.view, source(c.nP, c.nA, c.nS), dst);
        EXPECT_EQ(dst.points(Channel::P).count(), c.expected);
        EXPECT_EQ(dst.line(Channel::P).count(), c.expected);
    }
}

TEST(GraphViews, EnablingRules) {
    struct Case {
        std::size_t nA, nS;
        bool pfa, afx, afs, pfs, sfx;
    };
    const Case cases[] = {
        {0, 0, false, false, false, false, false}, {2, 2, false, false, false, false, false},
        {3, 2, true, true, false, false, false},   {2, 3, false, false, false, true, true},
        {3, 3, true, true, true, true, true},      {100, 0, true, true, false, false, false},
    };
    for (const auto& c : cases) {
        const auto e = viewEnabling(source(5, c.nA, c.nS));
        EXPECT_EQ(e.PfA, c.pfa) << c.nA << "," << c.nS;
        EXPECT_EQ(e.AfX, c.afx) << c.nA << "," << c.nS;
        EXPECT_EQ(e.AfS, c.afs) << c.nA << "," << c.nS;
        EXPECT_EQ(e.PfS, c.pfs) << c.nA << "," << c.nS;
        EXPECT_EQ(e.SfX, c.sfx) << c.nA << "," << c.nS;
    }
}

}  // namespace
}  // namespace qtl
