// Guarded operators and the 24 functions: values, domains and the exact error reports.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "formula/guarded_arithmetic.h"
#include "formula_test_support.h"

namespace qtl::test {
namespace {

constexpr double kPi = 3.141592653589793;

struct OperatorCase {
    const char* label;
    RealOperator op;
    double x, y;
    double expected;
};

class OperatorValues : public FormulaTest, public testing::WithParamInterface<OperatorCase> {};

TEST_P(OperatorValues, ComputesWithoutReport) {
    const OperatorCase c = GetParam();
    double result = 0;
    Report r = reportOf([&] { result = c.op(c.x, c.y); });
    EXPECT_FALSE(r.thrown) << r.text;
    EXPECT_DOUBLE_EQ(result, c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OperatorValues,
    testing::Values(
        OperatorCase{"add", AddReal, 2, 3, 5},
        OperatorCase{"add at bound", AddReal, 5e36, 5e36, 1e37},
        OperatorCase{"add negative", AddReal, -5e36, -5e36, -1e37},
        OperatorCase{"sub", SubReal, 2, 3, -1},
        OperatorCase{"mult small", MultReal, 1e40, 0.5, 5e39},
        OperatorCase{"mult", MultReal, -3, 4, -12}, OperatorCase{"div", DivReal, 1, 4, 0.25},
        OperatorCase{"div large by large", DivReal, 1e300, 2, 5e299},
        OperatorCase{"pow int", PuissReal, 2, 10, 1024},
        OperatorCase{"pow half", PuissReal, 2, 0.5, std::sqrt(2.0)},
        OperatorCase{"pow negative base", PuissReal, -2, 3, -8},
        OperatorCase{"pow 0^0", PuissReal, 0, 0, 1},
        OperatorCase{"pow 0^2.5", PuissReal, 0, 2.5, 0},
        OperatorCase{"pow negative exponent", PuissReal, 2, -2, 0.25},
        OperatorCase{"pow 16 uses exp", PuissReal, 2, 16, 65536},
        OperatorCase{"mod -7 2", ModReal, -7, 2, 1}, OperatorCase{"mod 7 2", ModReal, 7, 2, 1},
        OperatorCase{"mod -4 2", ModReal, -4, 2, 2}, OperatorCase{"mod -5 2", ModReal, -5, 2, 1},
        OperatorCase{"mod 5 -2", ModReal, 5, -2, -1}, OperatorCase{"max", MaxReal, 1, 2, 2},
        OperatorCase{"max2", MaxReal, 3, 2, 3}, OperatorCase{"min", MinReal, 1, 2, 1},
        OperatorCase{"min2", MinReal, 3, 2, 2}));

struct ErrorCase {
    const char* label;
    std::function<double()> call;
    int number;
    const char* text;
};

class OperatorErrors : public FormulaTest, public testing::WithParamInterface<ErrorCase> {};

TEST_P(OperatorErrors, ReportsFatally) {
    const ErrorCase& c = GetParam();
    testing::internal::CaptureStdout();
    Report r = reportOf([&] { c.call(); });
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(r.thrown) << c.label;
    EXPECT_EQ(r.number, c.number) << c.label;
    EXPECT_EQ(r.text, c.text) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OperatorErrors,
    testing::Values(
        ErrorCase{
            "add over", [] { return AddReal(1e37, 1e37); }, 1,
            "Erreur fatale 1: 'Débordement arithmétique réel superieur'détectée dans AddReal"},
        ErrorCase{
            "add under", [] { return AddReal(-1e37, -1e37); }, 1,
            "Erreur fatale 1: 'Débordement arithmétique réel inferieur'détectée dans AddReal"},
        ErrorCase{
            "sub over", [] { return SubReal(1e37, -1e37); }, 1,
            "Erreur fatale 1: 'Débordement arithmétique réel superieur'détectée dans SubReal"},
        ErrorCase{"mult", [] { return MultReal(1e20, -1e18); }, 2,
                  "Erreur fatale 2: 'Débordement arithmétique réel 'détectée dans MultReal"},
        ErrorCase{"div zero", [] { return DivReal(1, 0); }, 3,
                  "Erreur fatale 3: 'division réelle par zéro'détectée dans DivReal"},
        ErrorCase{"div overflow", [] { return DivReal(1e31, 1e-7); }, 3,
                  "Erreur fatale 3: 'débordement arithmétique réel'détectée dans DivReal"},
        ErrorCase{"pow negative base", [] { return PuissReal(-2, 0.5); }, 6,
                  "Erreur fatale 6: 'Logarithme d'un nombre négatif ou nul'détectée dans "
                  "PuissReal"},
        ErrorCase{"pow 0^-1", [] { return PuissReal(0, -1); }, 3,
                  "Erreur fatale 3: 'division réelle par zéro'détectée dans PuissReal"},
        ErrorCase{"pow overflow", [] { return PuissReal(1e10, 4); }, 2,
                  "Erreur fatale 2: 'Débordement arithmétique réel 'détectée dans PuissReal"},
        ErrorCase{"mod by zero", [] { return ModReal(1, 0); }, 3,
                  "Erreur fatale 3: 'division réelle par zéro'détectée dans DivReal"},
        ErrorCase{"EXP(100)", [] { return Exp(100); }, 7,
                  "Erreur fatale 7: 'Débordement arithmétique réel'détectée dans Exp"},
        ErrorCase{"LN(0)", [] { return Ln(0); }, 6,
                  "Erreur fatale 6: 'Logarithme d'un nombre négatif ou nul'détectée dans Ln"},
        ErrorCase{"LN(1e-38)", [] { return Ln(1e-38); }, 6,
                  "Erreur fatale 6: 'Logarithme d'un nombre négatif ou nul'détectée dans Ln"},
        ErrorCase{"LOG(-1)", [] { return Log(-1); }, 6,
                  "Erreur fatale 6: 'Logarithme d'un nombre négatif ou nul'détectée dans LOG"},
        ErrorCase{"SQRT(-1)", [] { return Sqrt(-1); }, 5,
                  "Erreur fatale 5: 'Racine carrée d'un nombre négatif'détectée dans Sqrt"},
        ErrorCase{"SQR(1e19)", [] { return Sqr(1e19); }, 4,
                  "Erreur fatale 4: 'débordement arithmétique réel'détectée dans Sqr"},
        ErrorCase{"ACOS(2)", [] { return ACos(2); }, 9,
                  "Erreur fatale 9: 'Débordement arithmétique réel'détectée dans ACos"},
        ErrorCase{"ACOS(-2)", [] { return ACos(-2); }, 9,
                  "Erreur fatale 9: 'Débordement arithmétique réel'détectée dans ACos"},
        ErrorCase{"ASIN(1.5)", [] { return ASin(1.5); }, 9,
                  "Erreur fatale 9: 'Débordement arithmétique réel'détectée dans ASin"},
        ErrorCase{"ACH(0.5)", [] { return ACh(0.5); }, 8,
                  "Erreur fatale 8: 'Débordement arithmétique réel'détectée dans ACh"},
        ErrorCase{"ATH(1)", [] { return ATh(1); }, 3,
                  "Erreur fatale 3: 'division réelle par zéro'détectée dans ATh"},
        ErrorCase{"ATH(-1)", [] { return ATh(-1); }, 6,
                  "Erreur fatale 6: 'Logarithme d'un nombre négatif ou nul'détectée dans ATh"},
        ErrorCase{"ATH(2)", [] { return ATh(2); }, 6,
                  "Erreur fatale 6: 'Logarithme d'un nombre négatif ou nul'détectée dans ATh"},
        ErrorCase{"CH(90)", [] { return Ch(90); }, 7,
                  "Erreur fatale 7: 'Débordement arithmétique réel'détectée dans Ch"},
        ErrorCase{"CH(-90)", [] { return Ch(-90); }, 7,
                  "Erreur fatale 7: 'Débordement arithmétique réel'détectée dans Ch"},
        ErrorCase{"SH(90)", [] { return Sh(90); }, 7,
                  "Erreur fatale 7: 'Débordement arithmétique réel'détectée dans Sh"}),
    [](const testing::TestParamInfo<ErrorCase>& info) {
        std::string name;
        for (const char* p = info.param.label; *p; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name + "_" + std::to_string(info.index);
    });

struct FunctionCase {
    int number;
    double x;
    double expected;
};

class FunctionValues : public FormulaTest, public testing::WithParamInterface<FunctionCase> {};

TEST_P(FunctionValues, ComputesWithoutReport) {
    const FunctionCase c = GetParam();
    double result = 0;
    Report r = reportOf([&] { result = functionRoutine(c.number)(c.x); });
    EXPECT_FALSE(r.thrown) << r.text;
    EXPECT_NEAR(result, c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected)))
        << functionName(c.number) << "(" << c.x << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FunctionValues,
    testing::Values(
        FunctionCase{kAbs, -2.5, 2.5}, FunctionCase{kAch, 1, 0},
        FunctionCase{kAch, 2, std::acosh(2.0)}, FunctionCase{kAch, 1e10, std::acosh(1e10)},
        FunctionCase{kAcos, -1, kPi}, FunctionCase{kAcos, 1, 0},
        FunctionCase{kAcos, 0.5, std::acos(0.5)}, FunctionCase{kAcos, 0.8, std::acos(0.8)},
        FunctionCase{kAcos, -0.8, std::acos(-0.8)}, FunctionCase{kAsh, 0.5, std::asinh(0.5)},
        FunctionCase{kAsh, 30, std::asinh(30.0)}, FunctionCase{kAsh, -30, std::asinh(-30.0)},
        FunctionCase{kAsin, 1, kPi / 2}, FunctionCase{kAsin, -1, -kPi / 2},
        FunctionCase{kAsin, 0.3, std::asin(0.3)}, FunctionCase{kAsin, -0.9, std::asin(-0.9)},
        FunctionCase{kAtan, 1, kPi / 4}, FunctionCase{kAth, 0.5, std::atanh(0.5)},
        FunctionCase{kAth, -0.5, std::atanh(-0.5)}, FunctionCase{kCh, 1, std::cosh(1.0)},
        FunctionCase{kCh, -85, std::cosh(-85.0)}, FunctionCase{kCos, kPi, -1},
        FunctionCase{kExp, 1, std::exp(1.0)}, FunctionCase{kExp, -100, 0},
        FunctionCase{kExp, 85, std::exp(85.0)}, FunctionCase{kFrac, -2.5, -0.5},
        FunctionCase{kFrac, 2.25, 0.25}, FunctionCase{kInt, -2.5, -2}, FunctionCase{kInt, 2.9, 2},
        FunctionCase{kLog, 1000, 3}, FunctionCase{kLn, std::exp(2.0), 2},
        FunctionCase{kSh, 1, std::sinh(1.0)}, FunctionCase{kSin, kPi / 2, 1},
        FunctionCase{kSqr, -3, 9}, FunctionCase{kSqrt, 16, 4}, FunctionCase{kSqrt, 0, 0},
        FunctionCase{kTg, kPi / 4, 1}, FunctionCase{kTh, 0.5, std::tanh(0.5)},
        FunctionCase{kTh, -0.5, std::tanh(-0.5)}, FunctionCase{kTh, 1000, 1},
        FunctionCase{kTh, -1000, -1}, FunctionCase{kConj, -4, -4}, FunctionCase{kRe, 7, 7},
        FunctionCase{kIm, 7, 0}, FunctionCase{kArg, -3, kPi}, FunctionCase{kArg, 0, 0}));

TEST_F(FormulaTest, FunctionTableCoversTheLanguage) {
    EXPECT_STREQ(functionName(1), "ABS");
    EXPECT_STREQ(functionName(24), "ARG");
    EXPECT_EQ(functionName(0), nullptr);
    EXPECT_EQ(functionName(25), nullptr);
    EXPECT_EQ(functionRoutine(25), nullptr);
    EXPECT_EQ(operatorRoutine('?'), nullptr);
    for (char op : std::string("+-*/^%><")) EXPECT_NE(operatorRoutine(op), nullptr) << op;
}

TEST_F(FormulaTest, NonFatalReportReturnsZeroAndRecords) {
    fatalErrorMode = false;
    EXPECT_EQ(DivReal(1, 0), 0.0);
    EXPECT_EQ(pendingErrorNumber, 3);
    pendingErrorNumber = 0;
    EXPECT_EQ(Exp(100), 0.0);
    EXPECT_EQ(pendingErrorNumber, 7);
    pendingErrorNumber = 0;
    EXPECT_EQ(PuissReal(0, -1), 0.0);
    EXPECT_EQ(pendingErrorNumber, 15);  // the outermost operation
    pendingErrorNumber = 0;
    fatalErrorMode = true;
}

TEST_F(FormulaTest, NanNeverLoops) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int number = 1; number <= kFunctionCount; ++number) {
        reportOf([&] { functionRoutine(number)(nan); });
    }
    EXPECT_TRUE(std::isnan(ACos(nan)));
    EXPECT_TRUE(std::isnan(ASin(nan)));
}

}  // namespace
}  // namespace qtl::test
