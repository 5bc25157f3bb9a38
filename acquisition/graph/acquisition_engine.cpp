// The timed step, the burst event and "Stop".
#include "graph/acquisition_engine.h"

#include <cstdint>
#include <optional>
#include <string>

#include "formula/formula.h"
#include "graph/burst.h"
#include "outputs/variable_output.h"
#include "settings/clock.h"
#include "settings/input_driver.h"
#include "settings/memo_line.h"

namespace qtl {

namespace {

// A formula error stops this window's acquisition (its points stay) before the error box.
template <typename Work>
void stoppingOnFormulaError(AcquisitionHost& host, Work&& work) {
    try {
        work();
    } catch (const FormulaFatalError&) {
        stopAcquisition(host);
        throw;
    }
}

void accumulate(TimedAcquisitionState& st, const GraphModel& g, ProgramSettings& s, double t) {
    ++st.readingCounter;
    if (s.rawConverterMode) {
        st.sumP += readEa(s.channelP);
        if (g.aActive) st.sumA += readEa(s.channelA);
        if (g.sActive) st.sumS += readEa(s.channelS);
        return;
    }
    st.sumP += readEad(s.channelP);
    if (g.aActive) st.sumA += readEad(s.channelA);
    if (g.sActive) st.sumS += readEad(s.channelS);
    if (s.variableOutputActive) {
        const double p = readEad(s.channelP);
        const double a = readEad(s.channelA);
        const double sv = readEad(s.channelS);
        updateVariableOutput(s, p, a, sv, t);
    }
}

// Appends the due point; returns the memo write error, if any, once the step is complete.
std::optional<MemoFileError> recordPoint(AcquisitionWindow w, ProgramSettings& s, MemoFile& memo,
                                         double t) {
    TimedAcquisitionState& st = w.state.timed;
    GraphModel& g = w.graph;
    ++st.pointCounter;
    const double count = st.readingCounter == 0 ? 1.0 : st.readingCounter;
    const double p = st.sumP / count;
    const double a = g.aActive ? st.sumA / count : 0.0;
    const double sv = g.sActive ? st.sumS / count : 0.0;

    // Every formula first: an error then leaves no half-recorded point.
    const double yP = Evalue4(s.channelP.formula, p, a, sv, t);
    const double yA = g.aActive ? Evalue4(s.channelA.formula, p, a, sv, t) : 0.0;
    const double yS = g.sActive ? Evalue4(s.channelS.formula, p, a, sv, t) : 0.0;
    const double x = tempsOuDate(st, s);
    g.addPoint(Channel::P, x, yP);
    if (g.aActive) g.addPoint(Channel::A, x, yA);
    if (g.sActive) g.addPoint(Channel::S, x, yS);

    std::optional<MemoFileError> memoError;
    if (s.memoFileOn && memo.isOpen()) {
        const auto line =
            memoLine(currentDateTime(), yP, g.aActive ? std::optional(yA) : std::nullopt,
                     g.sActive ? std::optional(yS) : std::nullopt);
        try {
            memo.append(line);
        } catch (const MemoFileError& e) {
            memoError = e;
        }
    }
    updateVariableOutput(s, p, a, sv, t);
    st.clearAccumulators();
    return memoError;
}

}  // namespace

double tempsOuDate(const TimedAcquisitionState& timed, const ProgramSettings& settings) {
    return settings.timeAsDate ? currentDateTime() : elapsedSeconds() - timed.timeOrigin;
}

void timedStep(AcquisitionWindow w, ProgramSettings& s, MemoFile& memo) {
    TimedAcquisitionState& st = w.state.timed;
    if (!s.acquisitionRunning) return;
    if (st.pointCounter >= st.pointLimit || !w.host.timedTimerActive()) return;
    std::optional<MemoFileError> memoError;
    stoppingOnFormulaError(w.host, [&] {
        const double t = elapsedSeconds() - st.timeOrigin;
        accumulate(st, w.graph, s, t);
        const std::int64_t dueMs = static_cast<std::int64_t>(s.intervalUs / 1000) * st.pointCounter;
        if (static_cast<double>(dueMs) > t * 1000.0) return;
        memoError = recordPoint(w, s, memo, t);
        w.host.redraw();
    });
    if (memoError) throw *memoError;
}

void burstStep(AcquisitionWindow w, ProgramSettings& s) {
    w.host.beep();
    const std::size_t n = burstSampleCount(s);
    BurstBuffers& b = w.state.burst;
    stoppingOnFormulaError(w.host, [&] {
        if (w.state.fastBurst) {
            sampleFastBurst(b, n, s, w.graph.aActive, w.graph.sActive);
        } else {
            sampleNormalBurst(b, n, s, w.graph.aActive, w.graph.sActive);
            normalBurstResult(b, n, s.intervalUs, s.rawConverterMode, w.graph.aActive,
                              w.graph.sActive);
        }
        w.state.timed.pointCounter = 0;
        w.state.timed.pointLimit = static_cast<std::uint16_t>(n);
        drawBurst(w.graph, b, n, s);
        w.host.redraw();
    });
    // Restarting counts the timer's second from the end of this burst: however long the burst,
    // the user's events (a "Stop") get their turn before the next one.
    if (w.host.burstTimerActive()) w.host.startBurstTimer();
}

void stopAcquisition(AcquisitionHost& host) {
    host.stopTimedTimer();
    host.stopBurstTimer();
}

}  // namespace qtl
