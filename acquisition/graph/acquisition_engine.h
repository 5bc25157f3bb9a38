// The acquisition engine: what a graph window's timers and its "Stop" command do, over the
// window's model and acquisition state, the settings record and the window's host interface.
// Every error is thrown as a CommandError for the window's event handler to show: a formula
// error has stopped the window's timers first; a memo write error comes after a completed step.
#pragma once

#include "graph/acquisition_host.h"
#include "graph/acquisition_state.h"
#include "graph/graph_model.h"
#include "graph/memo_file.h"
#include "settings/program_settings.h"

namespace qtl {

// The window's model, state and host, as one timer event sees them.
struct AcquisitionWindow {
    GraphModel& graph;
    AcquisitionState& state;
    AcquisitionHost& host;
};

// Timerajoutepoint: accumulates one reading and, when a point is due, appends the mean of the
// readings since the previous point, writes its memo line and refreshes the variable output.
void timedStep(AcquisitionWindow window, ProgramSettings& settings, MemoFile& memo);

// Timercontinu: one burst (normal or fast by the window's flag) replacing the series, then the
// burst timer restarts so a full interval of user events separates two bursts.
void burstStep(AcquisitionWindow window, ProgramSettings& settings);

// Stop1Click: both timers off; acquisitionRunning stays as it is.
void stopAcquisition(AcquisitionHost& host);

// temps_ou_date: the date-time when timeAsDate is on, else seconds since the time origin.
double tempsOuDate(const TimedAcquisitionState& timed, const ProgramSettings& settings);

}  // namespace qtl
