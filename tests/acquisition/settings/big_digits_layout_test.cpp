// The big digits layout rule.
#include "settings/big_digits_layout.h"

#include <gtest/gtest.h>

namespace qtl {
namespace {

TEST(BigDigitsLayout, ThirdsAndQuarter) {
    struct Case {
        int height, a, s, points;
    };
    const Case cases[] = {{300, 90, 180, 75}, {333, 100, 200, 83}, {15, 4, 9, 3},
                          {25, 8, 15, 6},     {2, 1, 1, 1},        {0, 0, 0, 1}};
    for (const Case& c : cases) {
        const BigDigitsLayout l = bigDigitsLayout(c.height);
        EXPECT_EQ(l.topP, -10);
        EXPECT_EQ(l.topA, c.a) << c.height;
        EXPECT_EQ(l.topS, c.s) << c.height;
        EXPECT_EQ(l.pointSize, c.points) << c.height;
    }
}

}  // namespace
}  // namespace qtl
