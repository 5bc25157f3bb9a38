// Cursor readouts: values between points, outside the points, ΔY, slope, the copied text.
#include "analysis/cursor_readout.h"

#include <gtest/gtest.h>

#include <limits>

namespace qtl {
namespace {

GraphModel twoChannels() {
    GraphModel m;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {1.0, 10.0}, {2.0, 20.0}})
        m.addPoint(Channel::P, x, y);
    m.addPoint(Channel::A, 0, 5);
    m.addPoint(Channel::A, 2, 1);
    return m;
}

TEST(CursorReadout, InterpolatesEachChannelAtBothCursors) {
    const CursorReadout r = readCursors(twoChannels(), 0.5, 1.5);
    EXPECT_DOUBLE_EQ(r.deltaX, 1);
    ASSERT_EQ(r.channels.size(), 2u);  // S holds no point
    EXPECT_EQ(r.channels[0].channel, Channel::P);
    EXPECT_DOUBLE_EQ(*r.channels[0].y1, 5);
    EXPECT_DOUBLE_EQ(*r.channels[0].y2, 15);
    EXPECT_DOUBLE_EQ(*r.channels[0].deltaY, 10);
    EXPECT_DOUBLE_EQ(*r.channels[0].slope, 10);
    EXPECT_EQ(r.channels[1].channel, Channel::A);
    EXPECT_DOUBLE_EQ(*r.channels[1].y1, 4);
    EXPECT_DOUBLE_EQ(*r.channels[1].slope, -2);
    EXPECT_EQ(cursorReadoutText(r),
              "X1 = 0.5\nX2 = 1.5\nΔX = 1\n"
              "P : Y1 = 5 ; Y2 = 15 ; ΔY = 10 ; pente = 10\n"
              "A : Y1 = 4 ; Y2 = 2 ; ΔY = -2 ; pente = -2");
}

TEST(CursorReadout, MissingValuesAndZeroWidthGiveNoDifferenceOrSlope) {
    const CursorReadout outside = readCursors(twoChannels(), 1, 3);  // X2 past the points
    EXPECT_DOUBLE_EQ(*outside.channels[0].y1, 10);
    EXPECT_FALSE(outside.channels[0].y2);
    EXPECT_FALSE(outside.channels[0].deltaY);
    EXPECT_FALSE(outside.channels[0].slope);
    EXPECT_EQ(
        cursorReadoutText(outside).substr(cursorReadoutText(outside).find("P :")),
        "P : Y1 = 10 ; Y2 = - ; ΔY = - ; pente = -\nA : Y1 = 3 ; Y2 = - ; ΔY = - ; pente = -");

    const CursorReadout same = readCursors(twoChannels(), 1, 1);
    EXPECT_DOUBLE_EQ(*same.channels[0].deltaY, 0);
    EXPECT_FALSE(same.channels[0].slope);

    EXPECT_TRUE(readCursors(GraphModel{}, 0, 1).channels.empty());
}

TEST(CursorReadout, NumbersAndCrosshair) {
    const struct {
        double x;
        const char* text;
    } cases[] = {{12.5, "12.5"},
                 {0.000125, "0.000125"},
                 {1e9, "1e+09"},
                 {-3, "-3"},
                 {1.0 / 3, "0.333333"},
                 {-0.0, "0"},
                 {std::numeric_limits<double>::quiet_NaN(), "-"}};
    for (const auto& c : cases) EXPECT_EQ(formatCursorNumber(c.x), c.text) << c.x;
    EXPECT_EQ(crosshairText(1.5, 2, std::nullopt), "X = 1.5   Y = 2");
    EXPECT_EQ(crosshairText(1.5, 2, 7), "X = 1.5   Y = 2   Y droite = 7");
}

}  // namespace
}  // namespace qtl
