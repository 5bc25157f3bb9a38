// Linear interpolation: inside, on points, at the ends, outside, repeated X, gaps.
#include "analysis/interpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace qtl {
namespace {

TEST(Interpolation, ValuesInsideOnPointsAndOutside) {
    const std::vector<double> xs{0, 1, 3, 4};
    const std::vector<double> ys{0, 10, 30, -10};
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 0.5), 5);
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 2), 20);
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 3.5), 10);
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 0), 0);
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 4), -10);
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 3), 30);
    EXPECT_FALSE(interpolateAt(xs, ys, -0.001));
    EXPECT_FALSE(interpolateAt(xs, ys, 4.001));
    EXPECT_FALSE(interpolateAt(xs, ys, std::nan("")));
    EXPECT_FALSE(interpolateAt({}, {}, 0));
}

TEST(Interpolation, RepeatedXTakesTheFirstAndGapsGiveNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> xs{0, 1, 1, 2, 3};
    const std::vector<double> ys{0, 5, 7, nan, 9};
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 1), 5);
    EXPECT_FALSE(interpolateAt(xs, ys, 1.5));
    EXPECT_FALSE(interpolateAt(xs, ys, 2));
    EXPECT_FALSE(interpolateAt(xs, ys, 2.5));
    EXPECT_DOUBLE_EQ(*interpolateAt(xs, ys, 0.5), 2.5);
}

}  // namespace
}  // namespace qtl
