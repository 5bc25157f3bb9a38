// Conversion of the timing dialog's choice into settings fields.
#include "graph/timing_choice.h"

namespace qtl {

std::int32_t intervalMicroseconds(std::int32_t value, IntervalUnit unit) {
    value = kIntervalBounds.clamp(value);
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
    settings.maxMeasurements =
        static_cast<std::uint16_t>(kMaxMeasurementsBounds.clamp(choice.maxMeasurements));
    settings.oscilloThresholdMs = kOscilloThresholdBounds.clamp(choice.oscilloThresholdMs);
    settings.repeatsPerMeasurement = kRepeatsBounds.clamp(choice.repeatsPerMeasurement);
    settings.timeAsDate = choice.timeAsDate;
    settings.statusRefreshMs =
        static_cast<std::uint16_t>(kStatusRefreshBounds.clamp(choice.statusRefreshMs));
}

int readoutPeriodMs(const ProgramSettings& settings) {
    constexpr int kDefaultPeriodMs = 1000;
    return settings.statusRefreshMs == 0 ? kDefaultPeriodMs : settings.statusRefreshMs;
}

}  // namespace qtl
