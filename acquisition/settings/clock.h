// Time bases of the acquisition behind one seam: the millisecond tick, the processor's cycle
// counter behind the microsecond clock, and the local date-time. Tests install a clock they
// drive by hand (settings/manual_clock.h).
#pragma once

#include <cstdint>

namespace qtl {

class Clock {
  public:
    virtual ~Clock() = default;
    // Monotonic millisecond count (the system tick).
    virtual std::uint64_t tickMs() = 0;
    // Processor cycle counter, or a monotonic nanosecond count where there is none.
    virtual std::uint64_t cycleCounter() = 0;
    // Local date and time as days since 30 December 1899, the time of day as the fraction.
    virtual double nowDays() = 0;
};

// The machine's clock.
Clock& systemClock();

// The clock every time base reads: the system clock unless one was installed.
Clock& currentClock();

// Installs `clock` for the scope's lifetime, then puts the previous one back.
class ScopedClock {
  public:
    explicit ScopedClock(Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

  private:
    Clock* previous_;
};

// Tick count / 1000: the time base of the timed acquisition.
double elapsedSeconds();

// Cycle counter div cyclesPerMicrosecond().
std::uint64_t microsecondClock();

// Cycles per microsecond: 735 until calibrated.
std::int32_t cyclesPerMicrosecond();
void setCyclesPerMicrosecond(std::int32_t cycles);  // values below 1 count as 1

// Counts the cycles of one second of ticks (a busy wait) and keeps cycles per microsecond.
void calibrateMicrosecondClock();

// The current date-time, days since 30 December 1899.
double currentDateTime();

// Days since 30 December 1899 of a calendar date and time (proleptic Gregorian calendar).
double dateTimeToDays(int year, int month, int day, int hour, int minute, double second);

}  // namespace qtl
