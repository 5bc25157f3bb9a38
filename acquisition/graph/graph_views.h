// The "Engendrer" views of a graph window: a new window receives a copy of some series of the
// source, or points pairing the values of two channels at the same index. Also the rules that
// enable the view commands.
#pragma once

#include "graph/graph_model.h"

namespace qtl {

enum class GraphView {
    TelQuel,  // the six series as they are
    PfX,      // P against X
    AfX,      // A against X, as the new window's P
    SfX,      // S against X, as the new window's P
    PfA,      // P against A
    PfS,      // P against S
    AfS,      // A against S
};

// Fills `target` (a fresh window's model) from `source`. The pairing views take the Y values
// of the point series at the same index and stop at the shorter series.
void fillView(GraphView view, const GraphModel& source, GraphModel& target);

// Which view commands the menu enables for a window holding these series.
struct ViewEnabling {
    bool PfA = false;
    bool AfX = false;
    bool AfS = false;
    bool PfS = false;
    bool SfX = false;
};
ViewEnabling viewEnabling(const GraphModel& graph);

}  // namespace qtl
