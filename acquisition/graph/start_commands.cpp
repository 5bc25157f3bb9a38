// Start commands of the main window, without the window.
#include "graph/start_commands.h"

#include "graph/acquisition_engine.h"

namespace qtl {

AcquisitionRegime regimeFor(const ProgramSettings& s) {
    return s.intervalUs / 1000 < s.oscilloThresholdMs ? AcquisitionRegime::Burst
                                                      : AcquisitionRegime::Timed;
}

void startTimedAcquisition(ProgramSettings& s, AcquisitionState& state, AcquisitionHost& host,
                           MemoFile& memo, const std::string& memoPath) {
    s.acquisitionRunning = true;
    const AcquisitionRegime regime = regimeFor(s);
    s.pointTimerMode = regime == AcquisitionRegime::Timed;
    state.fastBurst = false;
    if (s.memoFileOn) {
        try {
            // One memo file for the program: the previous one is closed, then created again.
            memo.create(memoPath);
        } catch (const MemoFileError&) {
            stopAcquisition(host);
            throw;
        }
    }
    if (regime == AcquisitionRegime::Burst) {
        host.stopTimedTimer();
        host.startBurstTimer();
    } else {
        host.stopBurstTimer();
        host.startTimedTimer();
    }
}

void startFastAcquisition(ProgramSettings& s, AcquisitionState& state, AcquisitionHost& host) {
    s.acquisitionRunning = true;
    host.stopTimedTimer();
    host.startBurstTimer();
    s.pointTimerMode = false;
    state.fastBurst = true;
}

}  // namespace qtl
