// Inline error-free paths of the guarded routines, shared by the registered routines and by
// the flat evaluation program. When a guard trips, the fast path calls the registered routine,
// which detects the same error and reports it, so both paths report identically.
#pragma once

#include <algorithm>
#include <cmath>

#include "formula/guarded_arithmetic.h"

namespace qtl::guarded {

inline const double kLnOverflow = std::log(kOverflowBound);
inline const double kLnUnderflow = std::log(1e-37);
inline constexpr double kLnTiny = 1e-37;

inline bool addFails(double x, double y) {
    return x >= 0 ? y > kOverflowBound - x : (x < 0 && y < -kOverflowBound - x);
}
inline bool multFails(double x, double y) {
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    return ax > 1 && ay > 1 && ay >= kOverflowBound / ax;
}
inline bool divFails(double x, double y) {
    if (y == 0) return true;
    const double ay = std::fabs(y);
    return ay < 1 && std::fabs(x) >= ay * kOverflowBound;
}
inline bool expFails(double x) {
    return x >= kLnOverflow;
}
inline double expValue(double x) {
    return x < kLnUnderflow ? 0.0 : std::exp(x);
}
inline bool lnFails(double x) {
    return !(x > kLnTiny);
}
inline bool sqrtFails(double x) {
    return x < 0;
}
inline bool sqrFails(double x) {
    const double ax = std::fabs(x);
    return ax > 1 && ax >= kOverflowBound / ax;
}

// The fast paths test one cheap condition that every error case meets (a result or an operand
// near the bound, or not a number) and only then the exact guard, so that values changing sign
// or magnitude from call to call cause no mispredicted branches.
inline constexpr double kNearBound = 0.99 * kOverflowBound;

[[gnu::noinline]] inline double addChecked(double x, double y) {
    return addFails(x, y) ? AddReal(x, y) : x + y;
}
[[gnu::noinline]] inline double subChecked(double x, double y) {
    return addFails(x, -y) ? SubReal(x, y) : x - y;
}
[[gnu::noinline]] inline double multChecked(double x, double y) {
    return multFails(x, y) ? MultReal(x, y) : x * y;
}
[[gnu::noinline]] inline double divChecked(double x, double y) {
    return divFails(x, y) ? DivReal(x, y) : x / y;
}

inline bool nearBound(double v) {
    return std::fabs(v) >= kNearBound;
}

inline double add(double x, double y) {
    const double r = x + y;
    // An error needs x + y past the bound (rounding aside) or x itself near it.
    if (std::max(std::fabs(r), std::fabs(x)) >= kNearBound) [[unlikely]] {
        return addChecked(x, y);
    }
    return r;
}
inline double sub(double x, double y) {
    const double r = x - y;
    if (std::max(std::fabs(r), std::fabs(x)) >= kNearBound) [[unlikely]] {
        return subChecked(x, y);
    }
    return r;
}
inline double mult(double x, double y) {
    const double r = x * y;
    // |y| >= 1e37 / |x| implies |x * y| >= 1e37 within rounding.
    if (std::fabs(r) >= kNearBound) [[unlikely]]
        return multChecked(x, y);
    return r;
}
inline double div(double x, double y) {
    const double r = x / y;
    // Division by zero gives an infinity or NaN; an overflow a quotient near the bound.
    if (!(std::fabs(r) < kNearBound)) [[unlikely]]
        return divChecked(x, y);
    return r;
}
inline double exp(double x) {
    return expFails(x) ? Exp(x) : expValue(x);
}
inline double ln(double x) {
    return lnFails(x) ? Ln(x) : std::log(x);
}
inline double sqrt(double x) {
    return sqrtFails(x) ? Sqrt(x) : std::sqrt(x);
}
inline double sqr(double x) {
    const double r = x * x;
    if (r >= kNearBound) [[unlikely]]
        return sqrFails(x) ? Sqr(x) : r;
    return r;
}

// Whole exponent with |y| <= 15: repeated products from 1, as PuissReal does.
inline bool smallWholeExponent(double y) {
    return std::fabs(y) <= 15 && y == std::trunc(y);
}
inline double wholePower(double x, int n) {
    if (n == 2) return mult(x, x);
    const int m = n < 0 ? -n : n;
    if (m == 0) return 1.0;
    double r = x;  // 1 * x, which never trips the guard
    for (int i = 1; i < m; ++i) r = mult(r, x);
    return n < 0 ? div(1.0, r) : r;
}
inline double power(double x, double y) {
    if (smallWholeExponent(y)) return wholePower(x, static_cast<int>(y));
    if (x == 0 && y > 0) return 0.0;
    return exp(mult(y, ln(x)));
}
inline double modulo(double x, double y) {
    const double q = div(x, y);
    double f = std::trunc(q);
    if (q < 0) f -= 1;
    return sub(x, mult(y, f));
}
inline double maxOf(double x, double y) {
    return x > y ? x : y;
}
inline double minOf(double x, double y) {
    return x > y ? y : x;
}

}  // namespace qtl::guarded
