// The main window's start commands once they have created their graph window: the regime
// choice, the flags of the settings record, the window's timers and the memo file.
#pragma once

#include <string>

#include "graph/acquisition_host.h"
#include "graph/acquisition_state.h"
#include "graph/memo_file.h"
#include "settings/program_settings.h"

namespace qtl {

enum class AcquisitionRegime { Timed, Burst };

// Burst when intervalUs div 1000 is below the oscillo threshold.
AcquisitionRegime regimeFor(const ProgramSettings& settings);

// "mesures = f(temps)" on a window just created, not shown yet: acquisitionRunning on, the
// regime's timer on and the other off, pointTimerMode set by the regime, fast-burst flag off;
// with memoFileOn, the memo file created empty at memoPath before any timer starts. A memo file
// that cannot be created throws MemoFileError with both timers of the window off: the caller
// shows the error and does not show the window.
void startTimedAcquisition(ProgramSettings& settings, AcquisitionState& state,
                           AcquisitionHost& host, MemoFile& memo, const std::string& memoPath);

// "prestissimo": acquisitionRunning on, burst timer on, timed timer off, pointTimerMode off,
// fast-burst flag on. The memo file is left as it is.
void startFastAcquisition(ProgramSettings& settings, AcquisitionState& state,
                          AcquisitionHost& host);

}  // namespace qtl
