// A window's model from the settings, and the axis dialog's values in both directions.
#include "graph/framing.h"

#include <gtest/gtest.h>

#include "graph/graph_setup.h"

namespace qtl {
namespace {

constexpr Channel kChannels[] = {Channel::P, Channel::A, Channel::S};

TEST(GraphSetup, AppliesStylesRangesTitlesAndFlags) {
    ProgramSettings s;
    s.pointSize = 4;
    s.lineWidth = 3;
    s.showPoints = false;
    s.showLines = true;
    s.minYP = -5;
    s.maxYP = 50;
    s.minYA = 2000;  // wholly above the chart's start range
    s.maxYA = 3000;
    s.autoScaleYP = false;
    s.autoScaleYA = true;
    s.chartTitle = "Chute";
    s.timeAxisTitle = "t (s)";
    s.channelP.title = "hauteur";
    s.channelA.title = "vitesse";
    s.channelS.title = "force";
    s.channelA.active = true;
    s.channelS.active = true;
    GraphModel g;
    setUpGraphFromSettings(g, s);
    for (Channel c : kChannels) {
        EXPECT_FALSE(g.points(c).style().markerVisible);
        EXPECT_EQ(g.points(c).style().markerWidth, 4);
        EXPECT_EQ(g.points(c).style().markerHeight, 4);
        EXPECT_TRUE(g.line(c).style().lineVisible);
        EXPECT_EQ(g.line(c).style().lineWidth, 3);
        EXPECT_EQ(g.line(c).style().lineStyle, PenStyle::Solid);
    }
    EXPECT_EQ(g.leftAxis().minimum(), -5);
    EXPECT_EQ(g.leftAxis().maximum(), 50);
    EXPECT_EQ(g.rightAxis().minimum(), 2000);
    EXPECT_EQ(g.rightAxis().maximum(), 3000);
    EXPECT_FALSE(g.leftAxis().automatic());
    EXPECT_TRUE(g.rightAxis().automatic());
    EXPECT_EQ(g.chartTitle(), "Chute");
    EXPECT_EQ(g.bottomAxis().title(), "t (s)");
    EXPECT_EQ(g.leftAxis().title(), "hauteur");
    EXPECT_EQ(g.rightAxis().title(), "vitesse");
    EXPECT_EQ(g.sTitle(), "force");
    EXPECT_TRUE(g.aActive);
    EXPECT_TRUE(g.sActive);
    EXPECT_TRUE(g.rightAxis().visible());
}

TEST(GraphSetup, DashedLinesWhenNotContinuous) {
    ProgramSettings s;
    s.continuousLine = false;
    s.lineWidth = 5;
    GraphModel g;
    setUpGraphFromSettings(g, s);
    EXPECT_EQ(g.line(Channel::P).style().lineStyle, PenStyle::Dash);
    EXPECT_EQ(g.line(Channel::A).style().lineStyle, PenStyle::DashDot);
    EXPECT_EQ(g.line(Channel::S).style().lineStyle, PenStyle::Dot);
    for (Channel c : kChannels) EXPECT_EQ(g.line(c).style().lineWidth, 1);
}

TEST(GraphSetup, RightAxisHiddenWithoutAAndSeriesSOnTheChosenAxis) {
    for (bool aActive : {false, true}) {
        for (bool sLeft : {false, true}) {
            ProgramSettings s;
            s.channelA.active = aActive;
            s.seriesSOnLeft = sLeft;
            GraphModel g;
            setUpGraphFromSettings(g, s);
            EXPECT_EQ(g.rightAxis().visible(), aActive);
            EXPECT_EQ(g.aActive, aActive);
            const auto sAxis = sLeft ? VerticalAxis::Left : VerticalAxis::Right;
            EXPECT_EQ(g.points(Channel::S).style().axis, sAxis);
            EXPECT_EQ(g.line(Channel::S).style().axis, sAxis);
            EXPECT_EQ(g.points(Channel::A).style().axis, VerticalAxis::Right);
            EXPECT_EQ(g.line(Channel::A).style().axis, VerticalAxis::Right);
        }
    }
}

TEST(GraphSetup, InvertedStoredRangeDoesNotKeepTheWindowFromOpening) {
    ProgramSettings s;
    s.minYP = 500;
    s.maxYP = 100;
    s.chartTitle = "encore";
    GraphModel g;
    std::optional<std::string> refusal;
    EXPECT_NO_THROW(refusal = setUpGraphFromSettings(g, s));
    EXPECT_EQ(refusal, kAxisMinimumRefused);
    EXPECT_LE(g.leftAxis().minimum(), g.leftAxis().maximum());
    EXPECT_EQ(g.chartTitle(), "encore");  // the steps after the range still ran

    // Both stored ranges inverted: the first refusal is the one told; none, nothing told.
    s.minYA = 50;
    s.maxYA = -50;
    GraphModel both;
    EXPECT_EQ(setUpGraphFromSettings(both, s), kAxisMinimumRefused);
    EXPECT_EQ(setUpGraphFromSettings(both, ProgramSettings{}), std::nullopt);
}

TEST(TimedTimerSetup, IntervalAndEnabling) {
    struct Case {
        std::int32_t intervalUs;
        std::int32_t repeats;
        std::int32_t thresholdMs;
        bool pointTimerMode;
        int intervalMs;
        bool enabled;
    };
    const Case cases[] = {
        {1'000'000, 10, 50, true, 100, true},
        {1'000'000, 10, 50, false, 100, false},  // point timer mode off: disabled whatever
        {50'000, 1, 50, true, 50, false},        // threshold x 1000 not below the interval
        {50'001, 1, 50, true, 50, true},
        {5'000, 10, 1, true, 1, true},         // 0 ms would spin: 1 ms
        {1'000'000, 0, 50, true, 1000, true},  // no readings per point counts as one
        {3'000'000, 7, 50, true, 428, true},   // integer divisions
    };
    for (const auto& c : cases) {
        ProgramSettings s;
        s.intervalUs = c.intervalUs;
        s.repeatsPerMeasurement = c.repeats;
        s.oscilloThresholdMs = c.thresholdMs;
        s.pointTimerMode = c.pointTimerMode;
        const auto t = timedTimerSetup(s);
        EXPECT_EQ(t.intervalMs, c.intervalMs) << c.intervalUs << "/" << c.repeats;
        EXPECT_EQ(t.enabled, c.enabled) << c.intervalUs << "/" << c.repeats;
    }
}

TEST(TimedTimerSetup, StateStartsFromTheSettings) {
    ProgramSettings s;
    s.maxMeasurements = 321;
    s.repeatsPerMeasurement = 65536 + 4;  // kept on 16 bits
    const auto st = timedStateFromSettings(s, 12.5);
    EXPECT_EQ(st.pointCounter, 0);
    EXPECT_EQ(st.pointLimit, 321);
    EXPECT_EQ(st.repeatsPerMeasurement, 4);
    EXPECT_EQ(st.timeOrigin, 12.5);
    EXPECT_EQ(st.readingCounter, 0);
    EXPECT_EQ(st.sumP + st.sumA + st.sumS, 0);
}

TEST(Framing, SettingsRoundTripAndTitlesAreCut) {
    ProgramSettings s;
    FramingValues v = framingFromSettings(s);
    EXPECT_EQ(v.chartTitle, "Mesures effectuées");
    EXPECT_EQ(v.pTitle, "voie principale");
    v.pointSize = 7;
    v.lineWidth = 0;
    v.showPoints = false;
    v.continuousLine = false;
    v.minYP = -1'000'000;
    v.maxYA = 999;
    v.autoScaleYA = false;
    v.seriesSOnLeft = false;
    v.chartTitle = "titre";
    v.xTitle = "x";
    v.sTitle = std::string(300, 'z');
    framingToSettings(v, s);
    EXPECT_EQ(s.channelS.title.str().size(), 250u);
    FramingValues back = framingFromSettings(s);
    v.sTitle = std::string(250, 'z');
    EXPECT_EQ(back, v);
}

GraphModel manualGraph(double lmin, double lmax, double rmin, double rmax) {
    GraphModel g;
    g.leftAxis().setAutomatic(false);
    g.rightAxis().setAutomatic(false);
    g.leftAxis().setRange(lmin, lmax);
    g.rightAxis().setRange(rmin, rmax);
    return g;
}

TEST(Framing, FromGraphRoundsHalvesToEvenAndAddsOneToTheMaxima) {
    struct Case {
        double min, max;
        std::int32_t shownMin, shownMax;
    };
    const Case cases[] = {
        {0.5, 2.5, 0, 3},
        {1.5, 3.5, 2, 5},
        {-2.5, -0.4, -2, 1},
        {-1e12, 1e12, INT32_MIN, INT32_MAX},
    };
    for (const auto& c : cases) {
        GraphModel g = manualGraph(c.min, c.max, c.min, c.max);
        const auto v = framingFromGraph(g);
        EXPECT_EQ(v.minYP, c.shownMin) << c.min;
        EXPECT_EQ(v.maxYP, c.shownMax) << c.max;
        EXPECT_EQ(v.minYA, c.shownMin);
        EXPECT_EQ(v.maxYA, c.shownMax);
    }
}

TEST(Framing, FromGraphReadsAutomaticAxesFromTheirData) {
    GraphModel g;
    g.addPoint(Channel::P, 0, 3.2);
    g.addPoint(Channel::P, 1, 8.7);
    const auto v = framingFromGraph(g);
    EXPECT_TRUE(v.autoScaleYP);
    EXPECT_EQ(v.minYP, 3);
    EXPECT_EQ(v.maxYP, 10);
}

TEST(Framing, UnchangedValuesRaiseBothMaximaByOneAndNothingElse) {
    ProgramSettings s;
    s.channelA.active = true;
    s.autoScaleYP = false;
    s.autoScaleYA = false;
    s.minYP = -20;
    s.maxYP = 80;
    s.minYA = 1;
    s.maxYA = 9;
    GraphModel g;
    setUpGraphFromSettings(g, s);
    g.addPoint(Channel::P, 1, 1);
    GraphModel before = g;
    applyFraming(g, framingFromGraph(g));
    EXPECT_EQ(g.leftAxis().minimum(), -20);
    EXPECT_EQ(g.leftAxis().maximum(), 81);
    EXPECT_EQ(g.rightAxis().minimum(), 1);
    EXPECT_EQ(g.rightAxis().maximum(), 10);
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(g.series(n).style(), before.series(n).style()) << n;
    EXPECT_EQ(g.chartTitle(), before.chartTitle());
    EXPECT_EQ(g.sTitle(), before.sTitle());
    EXPECT_EQ(g.bottomAxis().title(), before.bottomAxis().title());
    EXPECT_FALSE(g.leftAxis().automatic());
    EXPECT_EQ(g.points(Channel::P).count(), 1u);
}

TEST(Framing, ApplyDiscontinuousLinesAreWidthOneWhateverTheWidth) {
    GraphModel g;
    FramingValues v = framingFromGraph(g);
    v.lineWidth = 6;
    v.continuousLine = false;
    applyFraming(g, v);
    for (Channel c : kChannels) EXPECT_EQ(g.line(c).style().lineWidth, 1);
    EXPECT_EQ(g.line(Channel::A).style().lineStyle, PenStyle::DashDot);
    v.continuousLine = true;
    applyFraming(g, v);
    for (Channel c : kChannels) {
        EXPECT_EQ(g.line(c).style().lineWidth, 6);
        EXPECT_EQ(g.line(c).style().lineStyle, PenStyle::Solid);
    }
}

TEST(Framing, ApplyMovesSAndSetsTitles) {
    GraphModel g;
    FramingValues v = framingFromGraph(g);
    v.seriesSOnLeft = false;
    v.chartTitle = "G";
    v.xTitle = "X";
    v.pTitle = "P";
    v.aTitle = "A";
    v.sTitle = "S";
    applyFraming(g, v);
    EXPECT_EQ(g.points(Channel::S).style().axis, VerticalAxis::Right);
    EXPECT_EQ(g.line(Channel::S).style().axis, VerticalAxis::Right);
    EXPECT_EQ(g.chartTitle(), "G");
    EXPECT_EQ(g.bottomAxis().title(), "X");
    EXPECT_EQ(g.leftAxis().title(), "P");
    EXPECT_EQ(g.rightAxis().title(), "A");
    EXPECT_EQ(g.sTitle(), "S");
}

TEST(Framing, RefusalEndsTheCommandAtItsStepEarlierStepsStay) {
    GraphModel g = manualGraph(0, 1000, 0, 1000);
    FramingValues v = framingFromGraph(g);
    v.pointSize = 9;
    v.minYP = 2000;  // above the left maximum shown (1001)
    v.minYA = 5;
    v.chartTitle = "never";
    try {
        applyFraming(g, v);
        FAIL() << "the left minimum must be refused";
    } catch (const AxisRangeError& e) {
        EXPECT_STREQ(e.what(), "La valeur minimum de l'axe doit être <= Maximum");
    }
    EXPECT_EQ(g.points(Channel::P).style().markerHeight, 9);  // step 1 stays
    EXPECT_EQ(g.leftAxis().minimum(), 0);
    EXPECT_EQ(g.leftAxis().maximum(), 1000);  // later bounds not reached
    EXPECT_EQ(g.rightAxis().minimum(), 0);
    EXPECT_NE(g.chartTitle(), "never");
}

TEST(Framing, RangeWhollyAboveTheCurrentOneIsAccepted) {
    GraphModel g = manualGraph(0, 1000, 0, 1000);
    FramingValues v = framingFromGraph(g);
    v.minYP = 2000;
    v.maxYP = 3000;
    applyFraming(g, v);
    EXPECT_EQ(g.leftAxis().minimum(), 2000);
    EXPECT_EQ(g.leftAxis().maximum(), 3000);
}

}  // namespace
}  // namespace qtl
