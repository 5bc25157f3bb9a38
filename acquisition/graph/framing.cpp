// Conversions between the axis dialog's values, the settings record and a window's model.
#include "graph/framing.h"

#include <cmath>
#include <limits>

namespace qtl {

namespace {

constexpr Channel kChannels[] = {Channel::P, Channel::A, Channel::S};

// Nearest integer, halves to even, kept inside the 32-bit range.
std::int32_t roundBound(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(r);
}

std::int32_t plusOne(std::int32_t v) {
    return v == std::numeric_limits<std::int32_t>::max() ? v : v + 1;
}

}  // namespace

FramingValues framingFromSettings(const ProgramSettings& s) {
    FramingValues v;
    v.pointSize = s.pointSize;
    v.lineWidth = s.lineWidth;
    v.showPoints = s.showPoints;
    v.showLines = s.showLines;
    v.continuousLine = s.continuousLine;
    v.autoScaleYP = s.autoScaleYP;
    v.minYP = s.minYP;
    v.maxYP = s.maxYP;
    v.autoScaleYA = s.autoScaleYA;
    v.minYA = s.minYA;
    v.maxYA = s.maxYA;
    v.seriesSOnLeft = s.seriesSOnLeft;
    v.chartTitle = s.chartTitle;
    v.xTitle = s.timeAxisTitle;
    v.pTitle = s.channelP.title;
    v.aTitle = s.channelA.title;
    v.sTitle = s.channelS.title;
    return v;
}

void framingToSettings(const FramingValues& v, ProgramSettings& s) {
    s.pointSize = static_cast<std::uint16_t>(v.pointSize);
    s.lineWidth = static_cast<std::uint16_t>(v.lineWidth);
    s.showPoints = v.showPoints;
    s.showLines = v.showLines;
    s.continuousLine = v.continuousLine;
    s.autoScaleYP = v.autoScaleYP;
    s.minYP = v.minYP;
    s.maxYP = v.maxYP;
    s.autoScaleYA = v.autoScaleYA;
    s.minYA = v.minYA;
    s.maxYA = v.maxYA;
    s.seriesSOnLeft = v.seriesSOnLeft;
    s.chartTitle = v.chartTitle;
    s.timeAxisTitle = v.xTitle;
    s.channelP.title = v.pTitle;
    s.channelA.title = v.aTitle;
    s.channelS.title = v.sTitle;
}

FramingValues framingFromGraph(GraphModel& g) {
    const SeriesStyle& p = g.points(Channel::P).style();
    const SeriesStyle& pLine = g.line(Channel::P).style();
    FramingValues v;
    v.pointSize = p.markerHeight;
    v.lineWidth = pLine.lineWidth;
    v.showPoints = p.markerVisible;
    v.showLines = pLine.lineVisible;
    v.continuousLine = pLine.lineStyle == PenStyle::Solid;
    v.minYP = roundBound(g.leftAxis().minimum());
    v.maxYP = plusOne(roundBound(g.leftAxis().maximum()));
    v.minYA = roundBound(g.rightAxis().minimum());
    v.maxYA = plusOne(roundBound(g.rightAxis().maximum()));
    v.autoScaleYP = g.leftAxis().automatic();
    v.autoScaleYA = g.rightAxis().automatic();
    v.seriesSOnLeft = g.points(Channel::S).style().axis == VerticalAxis::Left;
    v.chartTitle = g.chartTitle();
    v.xTitle = g.bottomAxis().title();
    v.pTitle = g.leftAxis().title();
    v.aTitle = g.rightAxis().title();
    v.sTitle = g.sTitle();
    return v;
}

void applyLineStyles(GraphModel& g, bool continuousLine) {
    if (continuousLine) {
        for (Channel c : kChannels) g.line(c).setLineStyle(PenStyle::Solid);
        return;
    }
    for (Channel c : kChannels) g.line(c).setLineWidth(1);
    g.line(Channel::P).setLineStyle(PenStyle::Dash);
    g.line(Channel::A).setLineStyle(PenStyle::DashDot);
    g.line(Channel::S).setLineStyle(PenStyle::Dot);
}

void applyFraming(GraphModel& g, const FramingValues& v) {
    for (Channel c : kChannels) {
        g.points(c).setMarkerSize(v.pointSize, v.pointSize);
        g.points(c).setMarkerVisible(v.showPoints);
    }
    for (Channel c : kChannels) {
        g.line(c).setLineWidth(v.lineWidth);
        g.line(c).setLineVisible(v.showLines);
    }
    applyLineStyles(g, v.continuousLine);

    g.leftAxis().setRange(v.minYP, v.maxYP);
    g.rightAxis().setRange(v.minYA, v.maxYA);
    g.leftAxis().setAutomatic(v.autoScaleYP);
    g.rightAxis().setAutomatic(v.autoScaleYA);

    const VerticalAxis sAxis = v.seriesSOnLeft ? VerticalAxis::Left : VerticalAxis::Right;
    g.points(Channel::S).setVerticalAxis(sAxis);
    g.line(Channel::S).setVerticalAxis(sAxis);

    g.setChartTitle(v.chartTitle);
    g.bottomAxis().setTitle(v.xTitle);
    g.leftAxis().setTitle(v.pTitle);
    g.rightAxis().setTitle(v.aTitle);
    g.setSTitle(v.sTitle);
}

}  // namespace qtl
