// The look of a graph as the axis and style dialog edits it ("cadrages"): marker and line
// styles, the ranges of the two vertical axes, the axis of channel S and the five titles.
// Future framing reads and writes the settings record; current framing reads a window's
// model and applies the values to it in six steps.
#pragma once

#include <cstdint>
#include <string>

#include "graph/graph_model.h"
#include "settings/program_settings.h"

namespace qtl {

struct FramingValues {
    int pointSize = 2;
    int lineWidth = 2;
    bool showPoints = true;
    bool showLines = true;
    bool continuousLine = true;
    bool autoScaleYP = true;
    std::int32_t minYP = 0, maxYP = 1000;
    bool autoScaleYA = true;
    std::int32_t minYA = 0, maxYA = 1000;
    bool seriesSOnLeft = true;
    std::string chartTitle = "Mesures";
    std::string xTitle = "temps";
    std::string pTitle = "voie P";
    std::string aTitle = "voie A";
    std::string sTitle = "voie S";

    friend bool operator==(const FramingValues&, const FramingValues&) = default;
};

FramingValues framingFromSettings(const ProgramSettings& settings);
void framingToSettings(const FramingValues& values, ProgramSettings& settings);

// What the dialog shows for a window: the axis bounds rounded to the nearest integer (halves
// to even), each maximum plus 1. Automatic axes are brought to their data first.
FramingValues framingFromGraph(GraphModel& graph);

// Applies the values in order: point series, line series, line styles, axis ranges and
// automatic flags, S axis, titles. An axis refusal (AxisRangeError) ends it at that step;
// the steps before stay applied.
void applyFraming(GraphModel& graph, const FramingValues& values);

// The line pens of a framing: solid keeps the width; otherwise width 1 and dash (P),
// dash-dot (A), dot (S).
void applyLineStyles(GraphModel& graph, bool continuousLine);

}  // namespace qtl
