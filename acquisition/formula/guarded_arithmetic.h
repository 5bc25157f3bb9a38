// Guarded real arithmetic of the formula language: operators and the 24 named functions.
// Each routine reports overflow past 1e37, division by zero and domain errors through the
// error facility and returns 0 after a report that does not throw.
#pragma once

namespace qtl {

inline constexpr double kOverflowBound = 1e37;

double AddReal(double x, double y);
double SubReal(double x, double y);
double MultReal(double x, double y);
double DivReal(double x, double y);
double PuissReal(double x, double y);
double ModReal(double x, double y);
double MaxReal(double x, double y);
double MinReal(double x, double y);

// Named functions, by their number in the formula language (1 ABS ... 24 ARG).
enum FormulaFunction : int {
    kAbs = 1,
    kAch,
    kAcos,
    kAsh,
    kAsin,
    kAtan,
    kAth,
    kCh,
    kCos,
    kExp,
    kFrac,
    kInt,
    kLog,
    kLn,
    kSh,
    kSin,
    kSqr,
    kSqrt,
    kTg,
    kTh,
    kConj,
    kRe,
    kIm,
    kArg
};
inline constexpr int kFunctionCount = 24;

double Abs(double x);
double ACh(double x);
double ACos(double x);
double ASh(double x);
double ASin(double x);
double ATan(double x);
double ATh(double x);
double Ch(double x);
double Cos(double x);
double Exp(double x);
double Frac(double x);
double Int(double x);
double Log(double x);
double Ln(double x);
double Sh(double x);
double Sin(double x);
double Sqr(double x);
double Sqrt(double x);
double Tg(double x);
double Th(double x);
double Conj(double x);
double Re(double x);
double Im(double x);
double Arg(double x);

// Function name ("ABS") and routine by number 1..24; nullptr outside.
const char* functionName(int number);
using RealFunction = double (*)(double);
RealFunction functionRoutine(int number);
// Routine of an operator character of "+-*/^%><"; nullptr for any other character.
using RealOperator = double (*)(double, double);
RealOperator operatorRoutine(char op);

}  // namespace qtl
