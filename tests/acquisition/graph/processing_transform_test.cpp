// The transformation of the P series by a formula of P, A, S and X.
#include <gtest/gtest.h>

#include <vector>

#include "formula/formula.h"
#include "graph/processing_transform.h"

namespace qtl {
namespace {

class Transform : public ::testing::Test {
  protected:
    void SetUp() override { initialiseFormulaLibrary(); }
    void TearDown() override {
        EXPECT_EQ(moduleNesting(), 0);
        EXPECT_TRUE(fatalErrorMode);
    }

    // nP, nA, nS points: X = 10 + i, P = i, A = 100 + i, S = 1000 + i.
    static GraphModel model(std::size_t nP, std::size_t nA, std::size_t nS) {
        GraphModel m;
        for (std::size_t i = 0; i < nP; ++i) m.addPoint(Channel::P, 10.0 + i, double(i));
        for (std::size_t i = 0; i < nA; ++i) m.addPoint(Channel::A, 10.0 + i, 100.0 + i);
        for (std::size_t i = 0; i < nS; ++i) m.addPoint(Channel::S, 10.0 + i, 1000.0 + i);
        return m;
    }

    static std::vector<double> ys(const DataSeries& s) { return {s.ys().begin(), s.ys().end()}; }
};

TEST_F(Transform, TwoPDoublesBothPSeriesAndLeavesTheRest) {
    GraphModel m = model(4, 4, 4);
    transformP(m, "2*P");
    EXPECT_EQ(ys(m.points(Channel::P)), (std::vector<double>{0, 2, 4, 6}));
    EXPECT_EQ(ys(m.line(Channel::P)), (std::vector<double>{0, 2, 4, 6}));
    EXPECT_EQ(m.points(Channel::P).x(3), 13.0);
    EXPECT_EQ(ys(m.points(Channel::A)), (std::vector<double>{100, 101, 102, 103}));
    EXPECT_EQ(ys(m.line(Channel::S)), (std::vector<double>{1000, 1001, 1002, 1003}));
}

TEST_F(Transform, LettersByTheSizeOfTheirSeries) {
    // X is the abscissa in every case; A and S count only from 3 points on; a letter past the
    // end of its shorter series is 0.
    struct Case {
        const char* formula;
        std::size_t nA, nS;
        std::vector<double> expected;  // on P = 0, 1, 2, 3
    };
    const Case cases[] = {
        {"X", 0, 0, {10, 11, 12, 13}},
        {"X", 4, 0, {10, 11, 12, 13}},
        {"X", 0, 4, {10, 11, 12, 13}},
        {"X", 4, 4, {10, 11, 12, 13}},
        {"P+A", 4, 0, {100, 102, 104, 106}},
        {"A", 2, 4, {0, 0, 0, 0}},  // A too short, even with S long enough
        {"S", 4, 2, {0, 0, 0, 0}},
        {"S", 0, 4, {1000, 1001, 1002, 1003}},    // S counts without A
        {"A+S", 3, 4, {1100, 1102, 1104, 1003}},  // A past its end
    };
    for (const Case& c : cases) {
        GraphModel m = model(4, c.nA, c.nS);
        transformP(m, c.formula);
        EXPECT_EQ(ys(m.points(Channel::P)), c.expected) << c.formula << " " << c.nA << c.nS;
        EXPECT_EQ(ys(m.line(Channel::P)), c.expected) << c.formula << " " << c.nA << c.nS;
    }
}

TEST_F(Transform, ShortSeriesLetterIsZeroNotAStaleSlot) {
    formulaVariables['A' - 'A'] = 42;
    formulaVariables['S' - 'A'] = 43;
    GraphModel m = model(3, 1, 2);
    transformP(m, "P+A+S");
    EXPECT_EQ(ys(m.points(Channel::P)), (std::vector<double>{0, 1, 2}));
}

TEST_F(Transform, FaultyOrDefaultTextLeavesTheSeriesUnchanged) {
    for (const char* text : {"P", "", "P>0", "2P", "Q+1"}) {
        GraphModel m = model(4, 4, 4);
        transformP(m, text);
        EXPECT_EQ(ys(m.points(Channel::P)), (std::vector<double>{0, 1, 2, 3})) << text;
        EXPECT_EQ(ys(m.line(Channel::P)), (std::vector<double>{0, 1, 2, 3})) << text;
    }
}

TEST_F(Transform, LineLongerThanPointsIsTransformedToItsEnd) {
    GraphModel m = model(3, 0, 0);
    m.line(Channel::P).add(13, 3);
    transformP(m, "P*10");
    EXPECT_EQ(ys(m.points(Channel::P)), (std::vector<double>{0, 10, 20}));
    EXPECT_EQ(ys(m.line(Channel::P)), (std::vector<double>{0, 10, 20, 30}));
}

TEST_F(Transform, ArithmeticErrorEndsTheCommandAndKeepsThePointsDone) {
    GraphModel m;
    const double p[] = {4, 1, -1, 9};
    for (int i = 0; i < 4; ++i) m.addPoint(Channel::P, i, p[i]);
    try {
        transformP(m, "SQRT(P)");
        FAIL() << "no report";
    } catch (const FormulaFatalError& e) {
        EXPECT_EQ(e.number(), 5);
        EXPECT_EQ(e.userText(),
                  "Erreur fatale 5: 'Racine carrée d'un nombre négatif'détectée dans Evalue4");
    }
    // Points 0 and 1 of both series were done, point 2 of the point series failed.
    EXPECT_EQ(ys(m.points(Channel::P)), (std::vector<double>{2, 1, -1, 9}));
    EXPECT_EQ(ys(m.line(Channel::P)), (std::vector<double>{2, 1, -1, 9}));
}

}  // namespace
}  // namespace qtl
