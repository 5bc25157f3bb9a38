// Statistics, smoothing, derivative and integral over a graph window's series, and the
// command table that offers them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graph/processing_calculus.h"
#include "graph/processing_commands.h"
#include "graph/processing_smoothing.h"
#include "graph/processing_statistics.h"
#include "settings/program_settings.h"

namespace qtl {
namespace {

std::vector<double> ysOf(const DataSeries& s) {
    return {s.ys().begin(), s.ys().end()};
}
std::vector<double> xsOf(const DataSeries& s) {
    return {s.xs().begin(), s.xs().end()};
}

// X = i for each Y given, on both series of the channel.
void fill(GraphModel& m, Channel c, const std::vector<double>& ys) {
    for (std::size_t i = 0; i < ys.size(); ++i) m.addPoint(c, double(i), ys[i]);
}

// --- statistics ---

TEST(Statistics, FivePointsShowOnlyTitleAndCount) {
    GraphModel m;
    fill(m, Channel::P, {1, 2, 3, 4, 5});
    fill(m, Channel::A, {1, 2, 3, 4, 5});
    EXPECT_EQ(statisticsText(m, '.'),
              "Statistiques des séries si n>5\rnombre de points : 5.00000000\r");
}

TEST(Statistics, SixPointsOfPOnlyHaveNoEmptyLine) {
    GraphModel m;
    fill(m, Channel::P, {1, 2, 3, 4, 5, 6});
    fill(m, Channel::A, {1, 2});
    EXPECT_EQ(statisticsText(m, '.'),
              "Statistiques des séries si n>5\rnombre de points : 6.00000000\r"
              "moyenne(P)=3.50000000\récart-type(P)=1.87082869\r");
}

TEST(Statistics, AllThreeSeriesWithTheEmptyLineAfterTheSMeanAndTheCommaMark) {
    GraphModel m;
    fill(m, Channel::P, {2, 4, 4, 4, 5, 5, 7, 9});  // mean 5, sample deviation sqrt(32/7)
    fill(m, Channel::A, {1, 1, 1, 1, 1, 1});
    fill(m, Channel::S, {-1, 1, -1, 1, -1, 1});
    EXPECT_EQ(statisticsText(m, ','),
              "Statistiques des séries si n>5\rnombre de points : 8,00000000\r"
              "moyenne(P)=5,00000000\rmoyenne(A)=1,00000000\rmoyenne(S)=0,00000000\r\r"
              "écart-type(P)=2,13808994\récart-type(A)=0,00000000\récart-type(S)=1,09544512\r");
}

TEST(Statistics, ConstantSeriesShowAZeroDeviation) {
    // A one-pass formula leaves residues such as 0.00000002 on large constant values.
    for (const double c : {0.1, 0.7, 1234.567, 98765.4321, 1e6 + 0.1}) {
        GraphModel m;
        fill(m, Channel::P, std::vector<double>(1000, c));
        const std::string text = statisticsText(m, '.');
        EXPECT_NE(text.find("écart-type(P)=0.00000000\r"), std::string::npos) << c << text;
    }
}

TEST(Statistics, DeviationOfValuesFarFromZeroKeepsItsDigits) {
    GraphModel m;
    fill(m, Channel::P, {1e8 + 1, 1e8 + 2, 1e8 + 3, 1e8 + 4, 1e8 + 5, 1e8 + 6});
    EXPECT_NE(statisticsText(m, '.').find("écart-type(P)=1.87082869\r"), std::string::npos);
}

// --- smoothing ---

TEST(Smoothing, FivePointExampleInItsOrder) {
    GraphModel m;
    fill(m, Channel::P, {0, 0, 0, 5, 0, 0, 0});
    smoothAllSeries(m);
    const std::vector<double> expected = {0.288, 0.44, 1, 1.2, 0.44, 0.328, 0.1536};
    for (const DataSeries* s : {&m.points(Channel::P), &m.line(Channel::P)}) {
        ASSERT_EQ(s->count(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(s->y(i), expected[i], 1e-12) << i;
        }
        EXPECT_EQ(xsOf(*s), (std::vector<double>{0, 1, 2, 3, 4, 5, 6}));
    }
}

TEST(Smoothing, EachSeriesOverItsOwnCountAndShortOnesStay) {
    GraphModel m;
    fill(m, Channel::A, {0, 0, 0, 5, 0, 0, 0, 0, 0, 0});
    fill(m, Channel::S, {1, 9, 1, 9, 1});  // 5 points: unchanged
    m.line(Channel::S).clear();
    m.line(Channel::S).add(0, 1);
    m.line(Channel::S).add(1, 7);
    m.line(Channel::S).add(2, 3);
    smoothAllSeries(m);
    EXPECT_EQ(m.points(Channel::A).count(), 10u);
    EXPECT_NEAR(m.points(Channel::A).y(3), 1.2, 1e-12);
    EXPECT_EQ(ysOf(m.line(Channel::A)), ysOf(m.points(Channel::A)));
    EXPECT_EQ(ysOf(m.points(Channel::S)), (std::vector<double>{1, 9, 1, 9, 1}));
    EXPECT_EQ(ysOf(m.line(Channel::S)), (std::vector<double>{1, 7, 3}));
}

// --- derivative ---

TEST(Derivative, NMinusOnePointsFromTheSecondAbscissa) {
    GraphModel source;
    for (int i = 0; i < 5; ++i) source.addPoint(Channel::P, 0.5 * i + 1, double(i * i));
    fill(source, Channel::A, {1, 2});  // too short: skipped
    GraphModel target;
    fillDerivative(source, target);
    for (const DataSeries* s : {&target.points(Channel::P), &target.line(Channel::P)}) {
        EXPECT_EQ(xsOf(*s), (std::vector<double>{1.5, 2, 2.5, 3}));
        EXPECT_EQ(ysOf(*s), (std::vector<double>{2, 6, 10, 14}));
    }
    EXPECT_TRUE(target.points(Channel::A).empty());
    EXPECT_TRUE(source.points(Channel::P).count() == 5);
}

TEST(Derivative, RepeatedAbscissaGivesNoPointRatherThanAnInfinity) {
    GraphModel source;
    source.addPoint(Channel::S, 0, 0);
    source.addPoint(Channel::S, 1, 2);
    source.addPoint(Channel::S, 1, 5);
    source.addPoint(Channel::S, 2, 6);
    GraphModel target;
    fillDerivative(source, target);
    EXPECT_EQ(xsOf(target.points(Channel::S)), (std::vector<double>{1, 2}));
    EXPECT_EQ(ysOf(target.points(Channel::S)), (std::vector<double>{2, 1}));
    EXPECT_EQ(ysOf(target.line(Channel::S)), (std::vector<double>{2, 1}));
}

TEST(Derivative, LineSeriesShorterThanPointSeriesStopsBoth) {
    GraphModel source;
    fill(source, Channel::P, {0, 1, 4, 9, 16});
    source.line(Channel::P).clear();
    for (int i = 0; i < 3; ++i) source.line(Channel::P).add(i, 10.0 * i);
    GraphModel target;
    fillDerivative(source, target);
    EXPECT_EQ(ysOf(target.points(Channel::P)), (std::vector<double>{1, 3}));
    EXPECT_EQ(ysOf(target.line(Channel::P)), (std::vector<double>{10, 10}));
}

// --- integral ---

TEST(Integral, KnownFunctionsByTheTrapezoidRule) {
    GraphModel source;
    fill(source, Channel::P, {3, 3, 3, 3});    // constant: 3x
    fill(source, Channel::A, {0, 2, 4, 6});    // line 2x: x^2, exact with trapezoids
    fill(source, Channel::S, {1, -1, 1, -1});  // steps cancel by pairs
    GraphModel target;
    fillIntegral(source, target);
    EXPECT_EQ(ysOf(target.points(Channel::P)), (std::vector<double>{3, 6, 9}));
    EXPECT_EQ(ysOf(target.points(Channel::A)), (std::vector<double>{1, 4, 9}));
    EXPECT_EQ(ysOf(target.points(Channel::S)), (std::vector<double>{0, 0, 0}));
    for (const Channel c : {Channel::P, Channel::A, Channel::S}) {
        EXPECT_EQ(xsOf(target.points(c)), (std::vector<double>{1, 2, 3}));
        EXPECT_EQ(ysOf(target.line(c)), ysOf(target.points(c)));
    }
}

TEST(Integral, SampledSineAgainstItsExactIntegralWithinTheTrapezoidError) {
    GraphModel source;
    const int n = 201;
    const double h = M_PI / (n - 1);
    for (int i = 0; i < n; ++i) source.addPoint(Channel::P, i * h, std::sin(i * h));
    GraphModel target;
    fillIntegral(source, target);
    const DataSeries& v = target.points(Channel::P);
    ASSERT_EQ(v.count(), std::size_t(n - 1));
    // |error| <= (b - a) h^2 / 12 max|f''| over [0, x].
    for (std::size_t b = 0; b < v.count(); ++b) {
        const double x = v.x(b);
        EXPECT_NEAR(v.y(b), 1 - std::cos(x), x * h * h / 12 + 1e-12) << b;
    }
    EXPECT_NEAR(v.y(v.count() - 1), 2.0, 1e-4);
}

TEST(Integral, LineTakesItsOwnAbscissaAndTheShorterCount) {
    GraphModel source;
    fill(source, Channel::P, {1, 1, 1, 1, 1});
    source.line(Channel::P).clear();
    for (int i = 0; i < 4; ++i) source.line(Channel::P).add(10.0 + i, 99);
    GraphModel target;
    fillIntegral(source, target);
    EXPECT_EQ(ysOf(target.points(Channel::P)), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(xsOf(target.line(Channel::P)), (std::vector<double>{11, 12, 13}));
    EXPECT_EQ(ysOf(target.line(Channel::P)), (std::vector<double>{1, 2, 3}));
}

// --- the command table ---

TEST(ProcessingCommands, TableRowsAndEnablingRules) {
    struct Row {
        const char* name;
        const char* caption;
        GraphMenu menu;
        bool input;
    };
    const Row rows[] = {
        {"statistiques1", "statistiques", GraphMenu::Exploiter, false},
        {"transformerPfPAST1", "transformer P=f(PAST)", GraphMenu::Exploiter, true},
        {"lissageP1", "lissage P", GraphMenu::Exploiter, false},
        {"derivePX", "Dérivée P/X", GraphMenu::Engendrer, false},
        {"integerationPX", "Intégration P/X", GraphMenu::Engendrer, false},
    };
    const auto table = processingCommands();
    ASSERT_EQ(table.size(), std::size(rows));
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].objectName, rows[i].name);
        EXPECT_EQ(table[i].caption, rows[i].caption);
        EXPECT_EQ(table[i].menu, rows[i].menu);
        EXPECT_EQ(table[i].input.has_value(), rows[i].input);
        EXPECT_EQ(findProcessingCommand(rows[i].name), &table[i]);
    }
    EXPECT_EQ(findProcessingCommand("driverPX1"), nullptr);

    // Enabled for: empty, 3 points of A, 6 points of S.
    GraphModel empty, threeA, sixS;
    fill(threeA, Channel::A, {1, 2, 3});
    fill(sixS, Channel::S, {1, 2, 3, 4, 5, 6});
    const std::pair<const char*, std::array<bool, 3>> enabling[] = {
        {"statistiques1", {true, true, true}},   {"transformerPfPAST1", {false, false, false}},
        {"lissageP1", {false, false, true}},     {"derivePX", {false, true, true}},
        {"integerationPX", {false, true, true}},
    };
    for (const auto& [name, expected] : enabling) {
        const ProcessingCommand* c = findProcessingCommand(name);
        EXPECT_EQ(c->enabled(empty), expected[0]) << name;
        EXPECT_EQ(c->enabled(threeA), expected[1]) << name;
        EXPECT_EQ(c->enabled(sixS), expected[2]) << name;
    }
    GraphModel oneP;
    oneP.addPoint(Channel::P, 0, 1);
    EXPECT_TRUE(findProcessingCommand("transformerPfPAST1")->enabled(oneP));
}

TEST(ProcessingCommands, RunGivesTextChangedModelOrNewModel) {
    resetProgramSettings();
    GraphModel m;
    fill(m, Channel::P, {0, 0, 0, 5, 0, 0, 0});

    const ProcessingOutcome stats = findProcessingCommand("statistiques1")->run(m, "");
    EXPECT_EQ(stats.message.rfind("Statistiques des séries si n>5\rnombre de points : 7.", 0), 0u);
    EXPECT_FALSE(stats.derived);

    const ProcessingOutcome derivative = findProcessingCommand("derivePX")->run(m, "");
    ASSERT_TRUE(derivative.derived);
    EXPECT_EQ(derivative.derived->points(Channel::P).count(), 6u);
    const ProcessingOutcome integral = findProcessingCommand("integerationPX")->run(m, "");
    ASSERT_TRUE(integral.derived);
    EXPECT_EQ(integral.derived->line(Channel::P).y(5), 5.0);

    findProcessingCommand("transformerPfPAST1")->run(m, "2*P");
    EXPECT_EQ(m.points(Channel::P).y(3), 10.0);
    const ProcessingOutcome smoothed = findProcessingCommand("lissageP1")->run(m, "");
    EXPECT_TRUE(smoothed.message.empty());
    EXPECT_NEAR(m.line(Channel::P).y(3), 2.4, 1e-12);
}

}  // namespace
}  // namespace qtl
