// What a graph window takes from the settings record when it is created: the look and ranges
// of its chart, its titles and active channels, and the set-up of its timed acquisition.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graph/acquisition_state.h"
#include "graph/graph_model.h"
#include "settings/program_settings.h"

namespace qtl {

// Styles, axis ranges and automatic flags, titles, A-active and S-active flags, right axis
// visibility and the axis of the S series, in the order of a window's creation. A stored
// range that the chart refuses (minimum above maximum) leaves that axis as far as it got and
// the other steps still run; the text of the first refusal is returned, for the window to
// show once.
std::optional<std::string> setUpGraphFromSettings(GraphModel& graph,
                                                  const ProgramSettings& settings);

// The timed timer of a new window.
struct TimedTimerSetup {
    int intervalMs = 1;
    bool enabled = false;
};

// (intervalUs div 1000) div repeats, in ms, at least 1 (a zero count is taken as 1; a timer
// of 0 ms would spin); enabled when pointTimerMode is on and the oscillo threshold lies
// below the interval.
TimedTimerSetup timedTimerSetup(const ProgramSettings& settings);

// Counter 0, limit maxMeasurements, readings per point from the settings, origin `now`.
TimedAcquisitionState timedStateFromSettings(const ProgramSettings& settings, double now);

}  // namespace qtl
