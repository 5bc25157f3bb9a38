// Layout rule of the big digits window.
#include "settings/big_digits_layout.h"

#include <algorithm>
#include <cmath>

namespace qtl {

namespace {

int roundHalfEven(double x) {
    const double down = std::floor(x);
    const double diff = x - down;
    if (diff > 0.5) return static_cast<int>(down) + 1;
    if (diff < 0.5) return static_cast<int>(down);
    const int d = static_cast<int>(down);
    return d % 2 == 0 ? d : d + 1;
}

}  // namespace

BigDigitsLayout bigDigitsLayout(int outerHeight) {
    return {-10, roundHalfEven(outerHeight * 3 / 10.0), roundHalfEven(outerHeight * 6 / 10.0),
            std::max(outerHeight / 4, 1)};
}

}  // namespace qtl
