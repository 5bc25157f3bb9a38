// The acquisition state that each graph window owns beside its model: the timed regime's
// counters and accumulators, and the burst regime's choice. The engine keeps everything it
// carries from one timer event to the next here, never in the window.
#pragma once

#include <cstdint>

namespace qtl {

// The timed acquisition's counters and accumulators.
struct TimedAcquisitionState {
    std::int32_t pointCounter = 0;
    std::uint16_t pointLimit = 0;
    std::uint16_t repeatsPerMeasurement = 1;
    std::uint16_t readingCounter = 0;
    double timeOrigin = 0;  // elapsedSeconds() at the window's creation
    double sumP = 0, sumA = 0, sumS = 0;

    void clearAccumulators() {
        readingCounter = 0;
        sumP = sumA = sumS = 0;
    }
};

struct AcquisitionState {
    TimedAcquisitionState timed;
    bool fastBurst = false;  // "prestissimo": the burst reads as fast as it can
};

}  // namespace qtl
