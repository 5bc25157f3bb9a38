// What the timing dialog writes into the settings record when the user accepts it, and the
// bounds of the timing values, which the core keeps whoever supplies the values.
#pragma once

#include <cstdint>

#include "settings/program_settings.h"

namespace qtl {

enum class IntervalUnit { Microseconds, Milliseconds, Seconds };

// The range the timing dialog offers for a value; the core clamps into it, so that no
// product or narrowing further on can overflow.
struct TimingBounds {
    std::int32_t low;
    std::int32_t high;
    std::int32_t clamp(std::int32_t value) const {
        return value < low ? low : value > high ? high : value;
    }
};
inline constexpr TimingBounds kIntervalBounds{1, 2000};
inline constexpr TimingBounds kMaxMeasurementsBounds{3, 3000};
inline constexpr TimingBounds kOscilloThresholdBounds{1, 1000};
inline constexpr TimingBounds kRepeatsBounds{1, 100};
inline constexpr TimingBounds kStatusRefreshBounds{100, 10000};

struct TimingChoice {
    std::int32_t interval = 1000;
    IntervalUnit unit = IntervalUnit::Milliseconds;
    std::int32_t maxMeasurements = 200;
    std::int32_t oscilloThresholdMs = 50;
    std::int32_t repeatsPerMeasurement = 10;
    bool timeAsDate = false;
    std::int32_t statusRefreshMs = 1000;
};

// The interval in microseconds: 2 seconds give 2,000,000, 5 microseconds give 5. The value
// is first clamped to kIntervalBounds (2000 s is the most that fits in 32 bits here).
std::int32_t intervalMicroseconds(std::int32_t value, IntervalUnit unit);

// Writes every timing field of the record from the choice, each clamped to its bounds.
void applyTimingChoice(const TimingChoice& choice, ProgramSettings& settings);

// The live readout's period in ms: statusRefreshMs, or the default 1000 ms for 0 (a record
// filled from a file may hold 0, and a timer of 0 ms would spin).
int readoutPeriodMs(const ProgramSettings& settings);

}  // namespace qtl
