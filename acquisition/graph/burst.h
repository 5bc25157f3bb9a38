// One burst of the fast continuous mode, in its steps: sampling (normal, with oversampling
// until each sample's interval has elapsed, or fast, one reading per sample), the result step
// (times from the first sample in their unit, means) and the block that replaces the series.
#pragma once

#include <cstddef>

#include "graph/acquisition_state.h"
#include "graph/graph_model.h"
#include "settings/program_settings.h"

namespace qtl {

// Samples in a burst: maxMeasurements, at most the buffers' 1200.
std::size_t burstSampleCount(const ProgramSettings& settings);

// The time unit of a normal burst's result.
enum class BurstTimeUnit { Microseconds, Milliseconds, Seconds };
// Milliseconds when the interval is at least 100 µs or interval × n at least 10 000 µs;
// seconds when the interval is also above 100 000 µs (never in raw converter mode).
BurstTimeUnit burstTimeUnit(std::int32_t intervalUs, std::size_t n, bool rawConverterMode);

// Normal burst: sample j (1..n) sums every reading taken until j × intervalUs has elapsed since
// the start; its time is that of its last reading. P is always read, A and S when active, raw
// readings in raw converter mode. After each sample an active variable output gets fresh
// converted readings and the time in seconds. A formula error of the variable output throws.
void sampleNormalBurst(BurstBuffers& buffers, std::size_t n, ProgramSettings& settings,
                       bool aActive, bool sActive);

// Fast burst: one reading per sample with nothing in between, then times spread evenly
// over the elapsed microseconds: time j = (t2 − t1) × j / n.
void sampleFastBurst(BurstBuffers& buffers, std::size_t n, const ProgramSettings& settings,
                     bool aActive, bool sActive);

// The fast burst's sampling loop alone (what lies between t1 and t2).
void readFastSamples(BurstBuffers& buffers, std::size_t n, const ProgramSettings& settings,
                     bool aActive, bool sActive);

// Normal burst's result: times measured from sample 1's original time in the unit above,
// means of the sums. Raw converter mode keeps integer times (µs, or ms by integer division).
void normalBurstResult(BurstBuffers& buffers, std::size_t n, std::int32_t intervalUs,
                       bool rawConverterMode, bool aActive, bool sActive);

// Evaluates the channel formulas for samples 2..n (the formulas receive the time in the
// burst's unit), then replaces all six series by those n − 1 points. A formula error throws
// before any series changes.
void drawBurst(GraphModel& graph, BurstBuffers& buffers, std::size_t n,
               const ProgramSettings& settings);

}  // namespace qtl
