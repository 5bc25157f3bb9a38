// Conversion of the timing dialog's choice into settings fields.
#include "graph/timing_choice.h"

namespace qtl {

std::int32_t intervalMicroseconds(std::int32_t value, IntervalUnit unit) {
    // The dialog bounds the value to 1..2000, so 2000 s still fits in 32 bits.
    switch (unit) {
        case IntervalUnit::Seconds:
            return value * 1000000;
        case IntervalUnit::Milliseconds:
            return value * 1000;
        case IntervalUnit::Microseconds:
            break;
    }
    return value;
}

void applyTimingChoice(const TimingChoice& choice, ProgramSettings& settings) {
    settings.intervalUs = intervalMicroseconds(choice.interval, choice.unit);
    settings.maxMeasurements = static_cast<std::uint16_t>(choice.maxMeasurements);
    settings.oscilloThresholdMs = choice.oscilloThresholdMs;
    settings.repeatsPerMeasurement = choice.repeatsPerMeasurement;
    settings.timeAsDate = choice.timeAsDate;
    settings.statusRefreshMs = static_cast<std::uint16_t>(choice.statusRefreshMs);
}

}  // namespace qtl
