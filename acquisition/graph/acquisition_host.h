// What the acquisition engine, the file commands and the processing commands need of a graph
// window, without Qt: its two timers and a redraw. The graph window implements it; tests use a
// plain object, so the engine runs with no window at all.
#pragma once

namespace qtl {

class AcquisitionHost {
  public:
    virtual ~AcquisitionHost() = default;

    // Timerajoutepoint: the timed regime's timer, at the interval set when the window was made.
    virtual void startTimedTimer() = 0;
    virtual void stopTimedTimer() = 0;
    virtual bool timedTimerActive() const = 0;

    // Timercontinu: the burst regime's timer (one burst a second). Starting a running timer
    // restarts its interval from now.
    virtual void startBurstTimer() = 0;
    virtual void stopBurstTimer() = 0;
    virtual bool burstTimerActive() const = 0;

    // The model changed: draw it again (the chart decides when).
    virtual void redraw() = 0;

    // The message beep that announces each burst (silent unless the window makes it sound).
    virtual void beep() {}
};

}  // namespace qtl
