// Readouts of the graph cursors.
#include "analysis/cursor_readout.h"

#include <charconv>
#include <cmath>

#include "analysis/interpolation.h"

namespace qtl {

namespace {

std::string formatOptional(const std::optional<double>& v) {
    return v ? formatCursorNumber(*v) : "-";
}

const char* channelLetter(Channel c) {
    switch (c) {
        case Channel::P:
            return "P";
        case Channel::A:
            return "A";
        case Channel::S:
            return "S";
    }
    return "";
}

}  // namespace

CursorReadout readCursors(const GraphModel& model, double x1, double x2) {
    CursorReadout r;
    r.x1 = x1;
    r.x2 = x2;
    r.deltaX = x2 - x1;
    for (const Channel c : {Channel::P, Channel::A, Channel::S}) {
        const DataSeries& s = model.points(c);
        if (s.empty()) continue;
        CursorChannelReading reading;
        reading.channel = c;
        reading.y1 = interpolateAt(s.xs(), s.ys(), x1);
        reading.y2 = interpolateAt(s.xs(), s.ys(), x2);
        if (reading.y1 && reading.y2) {
            reading.deltaY = *reading.y2 - *reading.y1;
            if (r.deltaX != 0) reading.slope = *reading.deltaY / r.deltaX;
        }
        r.channels.push_back(reading);
    }
    return r;
}

std::string cursorReadoutText(const CursorReadout& r) {
    std::string text = "X1 = " + formatCursorNumber(r.x1) + "\nX2 = " + formatCursorNumber(r.x2) +
                       "\nΔX = " + formatCursorNumber(r.deltaX);
    for (const CursorChannelReading& c : r.channels)
        text += std::string("\n") + channelLetter(c.channel) + " : Y1 = " + formatOptional(c.y1) +
                " ; Y2 = " + formatOptional(c.y2) + " ; ΔY = " + formatOptional(c.deltaY) +
                " ; pente = " + formatOptional(c.slope);
    return text;
}

std::string crosshairText(double x, double yLeft, std::optional<double> yRight) {
    std::string text = "X = " + formatCursorNumber(x) + "   Y = " + formatCursorNumber(yLeft);
    if (yRight) text += "   Y droite = " + formatCursorNumber(*yRight);
    return text;
}

std::string formatCursorNumber(double x) {
    if (std::isnan(x)) return "-";
    // Keeps a printed -0 from showing up as a difference of two equal values.
    if (x == 0) x = 0;
    // to_chars ignores the locale, which Qt sets from the environment.
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 6);
    return std::string(buffer, end.ptr);
}

}  // namespace qtl
