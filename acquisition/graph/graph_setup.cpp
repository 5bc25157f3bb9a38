// Creation of a graph window's model from the settings record.
#include "graph/graph_setup.h"

#include <algorithm>

#include "graph/framing.h"

namespace qtl {

namespace {

constexpr Channel kChannels[] = {Channel::P, Channel::A, Channel::S};

// An inverted stored range must not keep windows from opening: the refusal is kept, the
// first one only, for the window to show.
void setStoredRange(GraphAxis& axis, double minimum, double maximum,
                    std::optional<std::string>& refusal) {
    try {
        axis.setRange(minimum, maximum);
    } catch (const AxisRangeError& error) {
        if (!refusal) refusal = error.what();
    }
}

std::uint16_t repeatsOf(const ProgramSettings& s) {
    const auto r = static_cast<std::uint16_t>(s.repeatsPerMeasurement);
    return r == 0 ? 1 : r;
}

}  // namespace

std::optional<std::string> setUpGraphFromSettings(GraphModel& g, const ProgramSettings& s) {
    std::optional<std::string> refusal;
    for (Channel c : kChannels) {
        g.points(c).setMarkerVisible(s.showPoints);
        g.points(c).setMarkerSize(s.pointSize, s.pointSize);
        g.line(c).setLineVisible(s.showLines);
        g.line(c).setLineWidth(s.lineWidth);
    }
    applyLineStyles(g, s.continuousLine);

    setStoredRange(g.leftAxis(), s.minYP, s.maxYP, refusal);
    setStoredRange(g.rightAxis(), s.minYA, s.maxYA, refusal);
    g.leftAxis().setAutomatic(s.autoScaleYP);
    g.rightAxis().setAutomatic(s.autoScaleYA);

    // "temps" unless future framing gave another X title: that edit must reach new windows.
    g.bottomAxis().setTitle(s.timeAxisTitle);
    g.leftAxis().setTitle(s.channelP.title);
    g.rightAxis().setTitle(s.channelA.title);
    g.setSTitle(s.channelS.title);

    g.aActive = s.channelA.active;
    g.sActive = s.channelS.active;
    g.rightAxis().setVisible(g.aActive);

    g.setChartTitle(s.chartTitle);

    const VerticalAxis sAxis = s.seriesSOnLeft ? VerticalAxis::Left : VerticalAxis::Right;
    g.points(Channel::S).setVerticalAxis(sAxis);
    g.line(Channel::S).setVerticalAxis(sAxis);
    g.points(Channel::A).setVerticalAxis(VerticalAxis::Right);
    g.line(Channel::A).setVerticalAxis(VerticalAxis::Right);
    return refusal;
}

TimedTimerSetup timedTimerSetup(const ProgramSettings& s) {
    TimedTimerSetup t;
    const std::int32_t ms = (s.intervalUs / 1000) / repeatsOf(s);
    t.intervalMs = std::max<std::int32_t>(ms, 1);
    t.enabled =
        s.pointTimerMode && static_cast<std::int64_t>(s.oscilloThresholdMs) * 1000 < s.intervalUs;
    return t;
}

TimedAcquisitionState timedStateFromSettings(const ProgramSettings& s, double now) {
    TimedAcquisitionState st;
    st.pointCounter = 0;
    st.pointLimit = s.maxMeasurements;
    st.repeatsPerMeasurement = repeatsOf(s);
    st.timeOrigin = now;
    st.clearAccumulators();
    return st;
}

}  // namespace qtl
