// A clock driven by hand, for tests and replays: time moves only when told to, or by a fixed
// step at every tick reading so that busy waits (calibration, bursts) come to an end.
#pragma once

#include <cstdint>

#include "settings/clock.h"

namespace qtl {

class ManualClock final : public Clock {
  public:
    // cyclesPerMicro: how many counter cycles one microsecond of this clock is worth.
    explicit ManualClock(std::uint64_t cyclesPerMicro = 1000) : cyclesPerMicro_(cyclesPerMicro) {}

    void advanceUs(std::uint64_t us) { nowUs_ += us; }
    void advanceMs(std::uint64_t ms) { nowUs_ += ms * 1000; }
    void setNowUs(std::uint64_t us) { nowUs_ = us; }
    std::uint64_t nowUs() const { return nowUs_; }
    // Microseconds added after every tick or cycle reading (0: time stands still).
    void setStepPerReadUs(std::uint64_t us) { stepPerReadUs_ = us; }
    void setDays(double days) { days_ = days; }

    std::uint64_t tickMs() override {
        const std::uint64_t ms = nowUs_ / 1000;
        nowUs_ += stepPerReadUs_;
        return ms;
    }
    std::uint64_t cycleCounter() override {
        const std::uint64_t cycles = nowUs_ * cyclesPerMicro_;
        nowUs_ += stepPerReadUs_;
        return cycles;
    }
    double nowDays() override { return days_; }

  private:
    std::uint64_t cyclesPerMicro_;
    std::uint64_t nowUs_ = 0;
    std::uint64_t stepPerReadUs_ = 0;
    double days_ = 0.0;
};

}  // namespace qtl
