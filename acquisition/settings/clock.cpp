// System clock and the time bases built on the installed clock.
#include "settings/clock.h"

#include <chrono>
#include <ctime>

#if defined(_MSC_VER) && (defined(_M_IX86) || defined(_M_X64))
#include <intrin.h>
#define QTL_HAS_TSC 1
#elif defined(__i386__) || defined(__x86_64__)
#include <x86intrin.h>
#define QTL_HAS_TSC 1
#endif

namespace qtl {
namespace {

class SystemClock final : public Clock {
  public:
    std::uint64_t tickMs() override {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }

    std::uint64_t cycleCounter() override {
#ifdef QTL_HAS_TSC
        return __rdtsc();
#else
        using namespace std::chrono;
        return static_cast<std::uint64_t>(
            duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
#endif
    }

    double nowDays() override {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t t = system_clock::to_time_t(now);
        std::tm local{};
#if defined(_WIN32)
        localtime_s(&local, &t);
#else
        localtime_r(&t, &local);
#endif
        const auto sinceSecond = now - system_clock::from_time_t(t);
        const double fraction = duration<double>(sinceSecond).count();
        return dateTimeToDays(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min, local.tm_sec + fraction);
    }
};

Clock* g_clock = nullptr;
std::int32_t g_cyclesPerMicrosecond = 735;

}  // namespace

Clock& systemClock() {
    static SystemClock clock;
    return clock;
}

Clock& currentClock() {
    return g_clock ? *g_clock : systemClock();
}

ScopedClock::ScopedClock(Clock& clock) : previous_(g_clock) {
    g_clock = &clock;
}
ScopedClock::~ScopedClock() {
    g_clock = previous_;
}

double elapsedSeconds() {
    return static_cast<double>(currentClock().tickMs()) / 1000.0;
}

std::uint64_t microsecondClock() {
    return currentClock().cycleCounter() / static_cast<std::uint64_t>(g_cyclesPerMicrosecond);
}

std::int32_t cyclesPerMicrosecond() {
    return g_cyclesPerMicrosecond;
}

void setCyclesPerMicrosecond(std::int32_t cycles) {
    // A zero would make every later microsecond reading divide by zero.
    g_cyclesPerMicrosecond = cycles < 1 ? 1 : cycles;
}

void calibrateMicrosecondClock() {
    Clock& clock = currentClock();
    const std::uint64_t startCycles = clock.cycleCounter();
    const std::uint64_t startTick = clock.tickMs();
    while (clock.tickMs() - startTick < 1000) {
    }
    const std::uint64_t cycles = clock.cycleCounter() - startCycles;
    const std::uint64_t perMicro = cycles / 1000000;
    setCyclesPerMicrosecond(perMicro > 0x7FFFFFFF ? 0x7FFFFFFF
                                                  : static_cast<std::int32_t>(perMicro));
}

double currentDateTime() {
    return currentClock().nowDays();
}

double dateTimeToDays(int year, int month, int day, int hour, int minute, double second) {
    // Days from 1970-01-01 of a civil date (Gregorian, any year).
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long daysFrom1970 = static_cast<long long>(era) * 146097 + doe - 719468;
    constexpr long long k1899To1970 = 25569;
    return static_cast<double>(daysFrom1970 + k1899To1970) +
           (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

}  // namespace qtl
