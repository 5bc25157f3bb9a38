// What the graph cursors read: the crosshair's X and Y, and for two measuring cursors X1,
// X2, ΔX and each channel's values at both (interpolated linearly between its points), ΔY
// and the slope ΔY/ΔX, with the text that "copier" puts on the clipboard.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/graph_model.h"

namespace qtl {

struct CursorChannelReading {
    Channel channel = Channel::P;
    std::optional<double> y1;
    std::optional<double> y2;
    // Both only when both values exist; the slope also needs ΔX != 0.
    std::optional<double> deltaY;
    std::optional<double> slope;
};

struct CursorReadout {
    double x1 = 0;
    double x2 = 0;
    double deltaX = 0;
    // The channels whose point series hold points, in the order P, A, S.
    std::vector<CursorChannelReading> channels;
};

CursorReadout readCursors(const GraphModel& model, double x1, double x2);

// One line per item, '\n' between lines: "X1 = 1", "X2 = 3", "ΔX = 2", then per channel
// "P : Y1 = 2 ; Y2 = 6 ; ΔY = 4 ; pente = 2" ("-" where a value does not exist).
std::string cursorReadoutText(const CursorReadout& r);

// "X = 1.5   Y = 2", with "   Y droite = 7" when the right axis is shown.
std::string crosshairText(double x, double yLeft, std::optional<double> yRight);

// Six significant digits, '.' as decimal mark, no trailing zeros: 0.000125, 12.5, 1e+09.
std::string formatCursorNumber(double x);

}  // namespace qtl
