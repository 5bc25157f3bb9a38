// Starting values: each nonlinear model is linear in all but one or two of its parameters, so
// the remaining ones (time constant, period) are searched on a grid, each trial solving the
// linear ones by least squares, then refined by golden-section search.
#include "analysis/fit_start.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace qtl {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Least squares over up to 3 columns by the normal equations (good enough for starting
// values). Returns the residual sum of squares, infinity when singular or not finite.
template <std::size_t K, typename Columns>
double linearSubFit(std::span<const double> xs, std::span<const double> ys, Columns columns,
                    std::array<double, K>& c) {
    std::array<std::array<double, K + 1>, K> m{};
    std::array<double, K> row{};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        columns(xs[i], row);
        for (std::size_t a = 0; a < K; ++a) {
            for (std::size_t b = 0; b < K; ++b) m[a][b] += row[a] * row[b];
            m[a][K] += row[a] * ys[i];
        }
    }
    for (std::size_t col = 0; col < K; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < K; ++r) {
            if (std::abs(m[r][col]) > std::abs(m[pivot][col])) pivot = r;
        }
        if (!(std::abs(m[pivot][col]) > 0)) return kInfinity;
        std::swap(m[col], m[pivot]);
        for (std::size_t r = 0; r < K; ++r) {
            if (r == col) continue;
            const double f = m[r][col] / m[col][col];
            for (std::size_t k = col; k <= K; ++k) m[r][k] -= f * m[col][k];
        }
    }
    for (std::size_t a = 0; a < K; ++a) c[a] = m[a][K] / m[a][a];
    double rss = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        columns(xs[i], row);
        double v = 0;
        for (std::size_t a = 0; a < K; ++a) v += c[a] * row[a];
        rss += (ys[i] - v) * (ys[i] - v);
    }
    return std::isfinite(rss) ? rss : kInfinity;
}

// Golden-section search of the minimum of f over [a, b].
template <typename F>
double goldenMinimum(F f, double a, double b, int steps) {
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = b - g * (b - a);
    double d = a + g * (b - a);
    double fc = f(c);
    double fd = f(d);
    for (int i = 0; i < steps; ++i) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - g * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + g * (b - a);
            fd = f(d);
        }
    }
    return fc < fd ? c : d;
}

struct Extent {
    double min = kInfinity;
    double max = -kInfinity;
    double span() const { return max > min ? max - min : 1.0; }
};

Extent extentOf(std::span<const double> v) {
    Extent e;
    for (double x : v) {
        e.min = std::min(e.min, x);
        e.max = std::max(e.max, x);
    }
    return e;
}

// y ≈ c0·exp(−(x−x0)/τ) + c1 for a given τ; x0 keeps the column within [0, 1].
struct ExpFit {
    double rss = kInfinity;
    double tau = 1;
    double a = 0;  // amplitude at x = 0
    double b = 0;
};

ExpFit expFit(std::span<const double> xs, std::span<const double> ys, double tau,
              const Extent& xe) {
    ExpFit fit;
    fit.tau = tau;
    const double x0 = tau > 0 ? xe.min : xe.max;
    std::array<double, 2> c{};
    fit.rss = linearSubFit<2>(
        xs, ys,
        [&](double x, std::array<double, 2>& row) {
            row[0] = std::exp(-(x - x0) / tau);
            row[1] = 1;
        },
        c);
    fit.a = c[0] * std::exp(x0 / tau);
    fit.b = c[1];
    if (!std::isfinite(fit.a)) fit.rss = kInfinity;
    return fit;
}

// τ from ln|y − B0| against x, B0 just beyond the last value.
double logLinearTau(std::span<const double> xs, std::span<const double> ys) {
    const std::size_t n = xs.size();
    std::size_t first = 0;
    std::size_t last = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (xs[i] < xs[first]) first = i;
        if (xs[i] > xs[last]) last = i;
    }
    const double b0 = ys[last] - 0.02 * (ys[first] - ys[last]);
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    double m = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = std::abs(ys[i] - b0);
        if (!(d > 0)) continue;
        const double l = std::log(d);
        sx += xs[i];
        sy += l;
        sxx += xs[i] * xs[i];
        sxy += xs[i] * l;
        m += 1;
    }
    const double den = m * sxx - sx * sx;
    if (m < 2 || !(std::abs(den) > 0)) return 0;
    const double slope = (m * sxy - sx * sy) / den;
    return slope != 0 ? -1 / slope : 0;
}

ExpFit bestExponential(std::span<const double> xs, std::span<const double> ys) {
    const Extent xe = extentOf(xs);
    const double span = xe.span();
    ExpFit best;
    auto consider = [&](double tau) {
        if (!(std::isfinite(tau) && tau != 0)) return;
        const ExpFit f = expFit(xs, ys, tau, xe);
        if (f.rss < best.rss) best = f;
    };
    consider(logLinearTau(xs, ys));
    for (int k = -8; k <= 8; ++k) {
        const double tau = span * std::pow(10.0, k / 4.0);
        consider(tau);
        consider(-tau);
    }
    if (!std::isfinite(best.rss)) return best;
    // Refine ln|τ| between the neighbouring grid values.
    const double sign = best.tau > 0 ? 1 : -1;
    const double l = std::log(std::abs(best.tau));
    const double lt = goldenMinimum(
        [&](double v) { return expFit(xs, ys, sign * std::exp(v), xe).rss; }, l - 0.6, l + 0.6, 40);
    consider(sign * std::exp(lt));
    return best;
}

// y ≈ exp(−(x−x0)/τ)·(C·sin ωx + D·cos ωx) + B.
struct SineFit {
    double rss = kInfinity;
    double tau = 1;
    double period = 1;
    double amplitude = 0;
    double phase = 0;
    double b = 0;
};

SineFit sineFit(std::span<const double> xs, std::span<const double> ys, double tau, double period,
                const Extent& xe) {
    SineFit fit;
    fit.tau = tau;
    fit.period = period;
    const double x0 = tau > 0 ? xe.min : xe.max;
    const double w = 2 * std::numbers::pi / period;
    std::array<double, 3> c{};
    fit.rss = linearSubFit<3>(
        xs, ys,
        [&](double x, std::array<double, 3>& row) {
            const double e = std::exp(-(x - x0) / tau);
            row[0] = e * std::sin(w * x);
            row[1] = e * std::cos(w * x);
            row[2] = 1;
        },
        c);
    fit.amplitude = std::hypot(c[0], c[1]) * std::exp(x0 / tau);
    fit.phase = std::atan2(c[1], c[0]);
    fit.b = c[2];
    if (!std::isfinite(fit.amplitude)) fit.rss = kInfinity;
    return fit;
}

// Half the mean distance between crossings of the mean, with a hysteresis against noise.
double periodFromCrossings(std::span<const double> xs, std::span<const double> ys) {
    const std::size_t n = xs.size();
    double mean = 0;
    for (double y : ys) mean += y;
    mean /= static_cast<double>(n);
    double var = 0;
    for (double y : ys) var += (y - mean) * (y - mean);
    const double h = 0.2 * std::sqrt(var / static_cast<double>(n));
    int state = 0;
    double lastZero = 0;
    double firstCrossing = 0;
    double lastCrossing = 0;
    int crossings = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = ys[i] - mean;
        if (i > 0 && (ys[i - 1] - mean) * d <= 0 && d != ys[i - 1] - mean) {
            const double d0 = ys[i - 1] - mean;
            lastZero = xs[i - 1] + (xs[i] - xs[i - 1]) * d0 / (d0 - d);
        }
        if (std::abs(d) > h) {
            const int s = d > 0 ? 1 : -1;
            if (state != 0 && s != state) {
                if (crossings == 0) firstCrossing = lastZero;
                lastCrossing = lastZero;
                ++crossings;
            }
            state = s;
        }
    }
    if (crossings < 2) return 0;
    return 2 * (lastCrossing - firstCrossing) / (crossings - 1);
}

SineFit bestDampedSine(std::span<const double> xs, std::span<const double> ys) {
    const Extent xe = extentOf(xs);
    const double span = xe.span();
    std::vector<double> periods;
    const double t0 = periodFromCrossings(xs, ys);
    if (t0 > 0) {
        for (int k = -4; k <= 4; ++k) periods.push_back(t0 * (1 + 0.05 * k));
    } else {
        for (int k = -12; k <= 2; ++k) periods.push_back(span * std::pow(2.0, k / 2.0));
    }
    std::vector<double> taus;
    for (int k = -3; k <= 6; ++k) {
        taus.push_back(span * std::pow(10.0, k / 3.0));
        taus.push_back(-span * std::pow(10.0, k / 3.0));
    }
    SineFit best;
    for (double period : periods) {
        for (double tau : taus) {
            const SineFit f = sineFit(xs, ys, tau, period, xe);
            if (f.rss < best.rss) best = f;
        }
    }
    if (!std::isfinite(best.rss)) return best;
    // Alternate golden-section refinements of the period and of ln|τ|.
    for (int round = 0; round < 2; ++round) {
        const double p = best.period;
        const double width = t0 > 0 ? 0.05 * p : 0.3 * p;
        const double np =
            goldenMinimum([&](double v) { return sineFit(xs, ys, best.tau, v, xe).rss; }, p - width,
                          p + width, 30);
        const SineFit fp = sineFit(xs, ys, best.tau, np, xe);
        if (fp.rss < best.rss) best = fp;
        const double sign = best.tau > 0 ? 1 : -1;
        const double l = std::log(std::abs(best.tau));
        const double nl = goldenMinimum(
            [&](double v) { return sineFit(xs, ys, sign * std::exp(v), best.period, xe).rss; },
            l - 0.8, l + 0.8, 30);
        const SineFit ft = sineFit(xs, ys, sign * std::exp(nl), best.period, xe);
        if (ft.rss < best.rss) best = ft;
    }
    return best;
}

// ln|y| = ln|A| + n·ln x over the points with x > 0 and y of the majority sign.
std::vector<double> powerStart(std::span<const double> xs, std::span<const double> ys) {
    int positive = 0;
    for (double y : ys) positive += y > 0 ? 1 : (y < 0 ? -1 : 0);
    const double sign = positive >= 0 ? 1 : -1;
    double sx = 0, sy = 0, sxx = 0, sxy = 0, m = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (!(xs[i] > 0) || !(sign * ys[i] > 0)) continue;
        const double lx = std::log(xs[i]);
        const double ly = std::log(sign * ys[i]);
        sx += lx;
        sy += ly;
        sxx += lx * lx;
        sxy += lx * ly;
        m += 1;
    }
    const double den = m * sxx - sx * sx;
    if (m < 2 || !(std::abs(den) > 0)) return {sign, 1};
    const double n = (m * sxy - sx * sy) / den;
    return {sign * std::exp((sy - n * sx) / m), n};
}

}  // namespace

std::vector<double> automaticStart(const FitModel& model, std::span<const double> xs,
                                   std::span<const double> ys) {
    if (xs.empty()) return {};
    switch (model.choice().kind) {
        case ModelKind::Exponential: {
            const ExpFit f = bestExponential(xs, ys);
            return {f.a, f.tau, f.b};
        }
        case ModelKind::FirstOrderRise: {
            // A·(1−e) + B = −A·e + (A + B).
            const ExpFit f = bestExponential(xs, ys);
            return {-f.a, f.tau, f.b + f.a};
        }
        case ModelKind::DampedSine: {
            const SineFit f = bestDampedSine(xs, ys);
            return {f.amplitude, f.tau, f.period, f.phase, f.b};
        }
        case ModelKind::Power:
            return powerStart(xs, ys);
        default:
            return {};
    }
}

}  // namespace qtl
