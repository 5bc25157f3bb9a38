// What the engine tests share: a host that records its timers, scripted drivers whose readings
// the test sets (and that may cost clock time), a hand-driven clock and a clean settings record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "formula/formula.h"
#include "graph/acquisition_engine.h"
#include "graph/acquisition_host.h"
#include "graph/acquisition_state.h"
#include "graph/graph_model.h"
#include "graph/memo_file.h"
#include "settings/clock.h"
#include "settings/manual_clock.h"
#include "settings/program_settings.h"

namespace qtl::enginetest {

class FakeHost final : public AcquisitionHost {
  public:
    void startTimedTimer() override { timed = true; }
    void stopTimedTimer() override { timed = false; }
    bool timedTimerActive() const override { return timed; }
    void startBurstTimer() override {
        burst = true;
        ++burstStarts;
    }
    void stopBurstTimer() override { burst = false; }
    bool burstTimerActive() const override { return burst; }
    void redraw() override { ++redraws; }
    void beep() override { ++beeps; }

    bool timed = false;
    bool burst = false;
    int burstStarts = 0;
    int redraws = 0;
    int beeps = 0;
};

// Scripted driver state: input k reads real[k] (or raw[k]), or what `realFn` gives.
struct Script {
    double real[3] = {0, 0, 0};
    std::int32_t raw[3] = {0, 0, 0};
    std::function<double(std::int32_t)> realFn;
    int realCalls[3] = {0, 0, 0};
    int rawCalls[3] = {0, 0, 0};
    std::uint64_t costUs = 0;  // clock time each reading takes
    ManualClock* clock = nullptr;
    std::vector<double> sent;  // values sent to analog output 0
};
inline Script script;

inline const char* QTL_PILOTE_CALL sDescription() {
    return "pilote scripté";
}
inline const char* QTL_PILOTE_CALL sName(std::int32_t index) {
    return index < 3 ? "EA" : "";
}
inline double QTL_PILOTE_CALL sReal(std::int32_t input) {
    ++script.realCalls[input];
    if (script.clock) script.clock->advanceUs(script.costUs);
    return script.realFn ? script.realFn(input) : script.real[input];
}
inline std::int32_t QTL_PILOTE_CALL sRaw(std::int32_t input) {
    ++script.rawCalls[input];
    if (script.clock) script.clock->advanceUs(script.costUs);
    return script.raw[input];
}
inline double QTL_PILOTE_CALL sSetReal(std::int32_t output, double value) {
    if (output == 0) script.sent.push_back(value);
    return value;
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetProgramSettings();
        script = Script{};
        script.clock = &clock;
        savedCycles_ = cyclesPerMicrosecond();
        setCyclesPerMicrosecond(1);
    }
    void TearDown() override {
        setCyclesPerMicrosecond(savedCycles_);
        resetProgramSettings();
        script = Script{};
        memo.close();
    }

    // Channel P (input 0), A (1), S (2) on the scripted driver.
    void useScriptedDrivers(bool aActive, bool sActive) {
        ChannelSettings* channels[] = {&s.channelP, &s.channelA, &s.channelS};
        for (std::uint16_t i = 0; i < 3; ++i) {
            auto& d = channels[i]->driver;
            d.description = sDescription;
            d.inputName = sName;
            d.realReading = sReal;
            d.rawReading = sRaw;
            channels[i]->inputIndex = i;
        }
        s.channelP.active = true;
        s.channelA.active = aActive;
        s.channelS.active = sActive;
        graph.aActive = aActive;
        graph.sActive = sActive;
    }
    void formula(ChannelSettings& c, const char* text) {
        c.formulaText = text;
        Definis_Fonction("PAST", text, c.formula);
    }
    void variableOutput(const char* text) {
        s.variableAnalogDriver.setReal = sSetReal;
        s.variableOutputActive = true;
        Definis_Fonction("PAST", text, s.variableOutputFormula);
    }

    // A window made now with the current settings, its timed timer on.
    void createTimedWindow() {
        state.timed.timeOrigin = elapsedSeconds();
        state.timed.pointLimit = s.maxMeasurements;
        state.timed.clearAccumulators();
        host.timed = true;
    }
    void step() { timedStep(window(), s, memo); }
    // One timed step every `ms` milliseconds, `count` times (the first one at once).
    void steps(int count, std::uint64_t ms) {
        for (int i = 0; i < count; ++i) {
            if (i > 0) clock.advanceMs(ms);
            step();
        }
    }
    void burst() { burstStep(window(), s); }
    AcquisitionWindow window() { return {graph, state, host}; }

    std::vector<double> xs(Channel c) const {
        auto v = graph.points(c).xs();
        return {v.begin(), v.end()};
    }
    std::vector<double> ys(Channel c) const {
        auto v = graph.points(c).ys();
        return {v.begin(), v.end()};
    }

    ProgramSettings& s = programSettings();
    ManualClock clock{1};
    ScopedClock useClock{clock};
    GraphModel graph;
    AcquisitionState state;
    FakeHost host;
    MemoFile memo;

  private:
    std::int32_t savedCycles_ = 0;
};

}  // namespace qtl::enginetest
