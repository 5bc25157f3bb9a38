// The acquisition state that each graph window owns beside its model: the timed regime's
// counters and accumulators, the burst regime's choice and its sample buffers. The engine keeps
// everything it carries from one timer event to the next here, never in the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

// One burst's samples, allocated once with the window so that sampling never allocates.
// Index j (0-based here) is sample j + 1 of the algorithm.
struct BurstBuffers {
    static constexpr std::size_t kCapacity = 1200;

    BurstBuffers()
        : timeUs(kCapacity),
          time(kCapacity),
          p(kCapacity),
          a(kCapacity),
          s(kCapacity),
          rawP(kCapacity),
          rawA(kCapacity),
          rawS(kCapacity),
          count(kCapacity),
          yP(kCapacity),
          yA(kCapacity),
          yS(kCapacity) {}

    std::vector<std::int64_t> timeUs;            // microseconds since the burst's start, as sampled
    std::vector<double> time;                    // in the burst's time unit, as drawn
    std::vector<double> p, a, s;                 // sums of converted readings, then their means
    std::vector<std::int64_t> rawP, rawA, rawS;  // sums of raw readings (raw converter mode)
    // Readings per sample; 64 bits so a fast driver over a long interval cannot wrap it.
    std::vector<std::uint64_t> count;
    // The channel formulas' values, all computed before the series are replaced, so a formula
    // error leaves the previous block on screen whole.
    std::vector<double> yP, yA, yS;
};

struct AcquisitionState {
    TimedAcquisitionState timed;
    bool fastBurst = false;  // "prestissimo": the burst reads as fast as it can
    BurstBuffers burst;
};

}  // namespace qtl
