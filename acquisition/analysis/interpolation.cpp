// Linear interpolation over an ascending series.
#include "analysis/interpolation.h"

#include <algorithm>
#include <cmath>

namespace qtl {

std::optional<double> interpolateAt(std::span<const double> xs, std::span<const double> ys,
                                    double x) {
    const std::size_t n = std::min(xs.size(), ys.size());
    if (n == 0 || !std::isfinite(x) || x < xs[0] || x > xs[n - 1]) return std::nullopt;
    const auto end = xs.begin() + static_cast<std::ptrdiff_t>(n);
    const auto at = std::lower_bound(xs.begin(), end, x);
    const auto i = static_cast<std::size_t>(at - xs.begin());
    if (xs[i] == x) {
        if (!std::isfinite(ys[i])) return std::nullopt;
        return ys[i];
    }
    // x lies strictly between xs[i - 1] and xs[i] (i > 0 since x >= xs[0]).
    const double x0 = xs[i - 1], x1 = xs[i], y0 = ys[i - 1], y1 = ys[i];
    if (!std::isfinite(y0) || !std::isfinite(y1)) return std::nullopt;
    const double t = (x - x0) / (x1 - x0);
    return y0 + t * (y1 - y0);
}

}  // namespace qtl
