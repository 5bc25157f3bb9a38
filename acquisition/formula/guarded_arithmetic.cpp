// Registered guarded routines: each guarded operation registers with the error facility so
// that a report names the outermost operation.
#include "formula/guarded_arithmetic.h"

#include <array>
#include <cmath>

#include "formula/error_facility.h"
#include "formula/guarded_core.h"

namespace qtl {

namespace {

constexpr const char* kOverflow = "Débordement arithmétique réel";
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = kPi / 2;

}  // namespace

double AddReal(double x, double y) {
    ModuleScope scope(1, "AddReal");
    if (x >= 0 && y > kOverflowBound - x) {
        reportLibraryError(1, "Débordement arithmétique réel superieur");
        return 0.0;
    }
    if (x < 0 && y < -kOverflowBound - x) {
        reportLibraryError(1, "Débordement arithmétique réel inferieur");
        return 0.0;
    }
    return x + y;
}

double SubReal(double x, double y) {
    ModuleScope scope(1, "SubReal");
    return AddReal(x, -y);
}

double MultReal(double x, double y) {
    ModuleScope scope(2, "MultReal");
    if (guarded::multFails(x, y)) {
        reportLibraryError(2, "Débordement arithmétique réel ");
        return 0.0;
    }
    return x * y;
}

double DivReal(double x, double y) {
    ModuleScope scope(3, "DivReal");
    if (y == 0) {
        reportLibraryError(3, "division réelle par zéro");
        return 0.0;
    }
    if (guarded::divFails(x, y)) {
        reportLibraryError(3, "débordement arithmétique réel");
        return 0.0;
    }
    return x / y;
}

double PuissReal(double x, double y) {
    ModuleScope scope(15, "PuissReal");
    if (guarded::smallWholeExponent(y)) {
        const int n = static_cast<int>(y);
        double r = 1.0;
        for (int i = n < 0 ? -n : n; i > 0; --i) r = MultReal(r, x);
        return n < 0 ? DivReal(1.0, r) : r;
    }
    if (x == 0 && y > 0) return 0.0;
    return Exp(MultReal(y, Ln(x)));
}

double ModReal(double x, double y) {
    const double q = DivReal(x, y);
    double f = std::trunc(q);
    if (q < 0) f -= 1;
    return SubReal(x, MultReal(y, f));
}

double MaxReal(double x, double y) {
    return guarded::maxOf(x, y);
}
double MinReal(double x, double y) {
    return guarded::minOf(x, y);
}

double Abs(double x) {
    return std::fabs(x);
}

double ACh(double x) {
    ModuleScope scope(8, "ACh");
    if (x < 1) {
        reportLibraryError(8, kOverflow);
        return 0.0;
    }
    return std::log((std::sqrt(1 - 1 / x / x) + 1) * (x / 2)) + std::log(2.0);
}

double ACos(double x) {
    ModuleScope scope(9, "ACos");
    if (x > 1) {
        reportLibraryError(9, kOverflow);
        return 0.0;
    }
    if (std::fabs(x) < 0.7) return kHalfPi - ASin(x);
    if (x <= -0.7) return kPi - ACos(-x);
    return std::atan(std::sqrt(1 / x / x - 1));  // 0.7 <= x <= 1, or NaN
}

double ASh(double x) {
    if (std::fabs(x) <= 1) return std::log(x + std::sqrt(x * x + 1));
    if (x > 1) return std::log(x) + std::log(std::sqrt(1 / x / x + 1) + 1);
    if (x < -1) return -ASh(-x);
    return x;  // NaN
}

double ASin(double x) {
    ModuleScope scope(10, "ASin");
    if (std::fabs(x) <= 0.7) return std::atan(x / std::sqrt(1 - x * x));
    return kHalfPi - ACos(x);
}

double ATan(double x) {
    return std::atan(x);
}

double ATh(double x) {
    ModuleScope scope(11, "ATh");
    return 0.5 * Ln(DivReal(AddReal(x, 1), SubReal(1, x)));
}

double Ch(double x) {
    ModuleScope scope(12, "Ch");
    return Exp(x) / 2 + Exp(-x) / 2;
}

double Cos(double x) {
    return std::cos(x);
}

double Exp(double x) {
    ModuleScope scope(7, "Exp");
    if (guarded::expFails(x)) {
        reportLibraryError(7, kOverflow);
        return 0.0;
    }
    return guarded::expValue(x);
}

double Frac(double x) {
    return x - std::trunc(x);
}
double Int(double x) {
    return std::trunc(x);
}

double Log(double x) {
    ModuleScope scope(6, "LOG");
    return Ln(x) / Ln(10.0);
}

double Ln(double x) {
    ModuleScope scope(6, "Ln");
    if (guarded::lnFails(x)) {
        reportLibraryError(6, "Logarithme d'un nombre négatif ou nul");
        return 0.0;
    }
    return std::log(x);
}

double Sh(double x) {
    ModuleScope scope(13, "Sh");
    return (Exp(x) - Exp(-x)) / 2;
}

double Sin(double x) {
    return std::sin(x);
}

double Sqr(double x) {
    ModuleScope scope(4, "Sqr");
    if (guarded::sqrFails(x)) {
        reportLibraryError(4, "débordement arithmétique réel");
        return 0.0;
    }
    return x * x;
}

double Sqrt(double x) {
    ModuleScope scope(5, "Sqrt");
    if (guarded::sqrtFails(x)) {
        reportLibraryError(5, "Racine carrée d'un nombre négatif");
        return 0.0;
    }
    return std::sqrt(x);
}

double Tg(double x) {
    ModuleScope scope(14, "Tg");
    return DivReal(std::sin(x), std::cos(x));
}

double Th(double x) {
    if (x >= 0) {
        const double a = guarded::expValue(-2 * x);
        return (1 - a) / (1 + a);
    }
    const double b = guarded::expValue(2 * x);
    return (b - 1) / (b + 1);
}

double Conj(double x) {
    return x;
}
double Re(double x) {
    return x;
}
double Im(double) {
    return 0.0;
}
double Arg(double x) {
    return x < 0 ? kPi : 0.0;
}

namespace {

struct FunctionEntry {
    const char* name;
    RealFunction routine;
};

constexpr std::array<FunctionEntry, kFunctionCount> kFunctions{{
    {"ABS", Abs}, {"ACH", ACh}, {"ACOS", ACos}, {"ASH", ASh}, {"ASIN", ASin}, {"ATAN", ATan},
    {"ATH", ATh}, {"CH", Ch},   {"COS", Cos},   {"EXP", Exp}, {"FRAC", Frac}, {"INT", Int},
    {"LOG", Log}, {"LN", Ln},   {"SH", Sh},     {"SIN", Sin}, {"SQR", Sqr},   {"SQRT", Sqrt},
    {"TG", Tg},   {"TH", Th},   {"CONJ", Conj}, {"RE", Re},   {"IM", Im},     {"ARG", Arg},
}};

}  // namespace

const char* functionName(int number) {
    return number >= 1 && number <= kFunctionCount ? kFunctions[number - 1].name : nullptr;
}

RealFunction functionRoutine(int number) {
    return number >= 1 && number <= kFunctionCount ? kFunctions[number - 1].routine : nullptr;
}

RealOperator operatorRoutine(char op) {
    switch (op) {
        case '+':
            return AddReal;
        case '-':
            return SubReal;
        case '*':
            return MultReal;
        case '/':
            return DivReal;
        case '^':
            return PuissReal;
        case '%':
            return ModReal;
        case '>':
            return MaxReal;
        case '<':
            return MinReal;
        default:
            return nullptr;
    }
}

}  // namespace qtl
