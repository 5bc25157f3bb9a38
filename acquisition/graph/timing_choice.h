// What the timing dialog writes into the settings record when the user accepts it.
#pragma once

#include <cstdint>

#include "settings/program_settings.h"

namespace qtl {

enum class IntervalUnit { Microseconds, Milliseconds, Seconds };

struct TimingChoice {
    std::int32_t interval = 1000;
    IntervalUnit unit = IntervalUnit::Milliseconds;
    std::int32_t maxMeasurements = 200;
    std::int32_t oscilloThresholdMs = 50;
    std::int32_t repeatsPerMeasurement = 10;
    bool timeAsDate = false;
    std::int32_t statusRefreshMs = 1000;
};

// The interval in microseconds: 2 seconds give 2,000,000, 5 microseconds give 5.
std::int32_t intervalMicroseconds(std::int32_t value, IntervalUnit unit);

// Writes every timing field of the record from the choice.
void applyTimingChoice(const TimingChoice& choice, ProgramSettings& settings);

}  // namespace qtl
