// The burst's sampling loops and result steps.
#include "graph/burst.h"

#include <algorithm>
#include <cstdint>

#include "formula/formula.h"
#include "outputs/variable_output.h"
#include "settings/clock.h"
#include "settings/input_driver.h"

namespace qtl {

namespace {

std::int64_t elapsedUs(std::uint64_t start) {
    return static_cast<std::int64_t>(microsecondClock() - start);
}

// The sums start at 0, and an unread channel gives 0 to the formulas. Times and counts are
// written whole by every burst.
void clearSums(BurstBuffers& b, std::size_t n) {
    std::fill_n(b.p.begin(), n, 0.0);
    std::fill_n(b.a.begin(), n, 0.0);
    std::fill_n(b.s.begin(), n, 0.0);
    std::fill_n(b.rawP.begin(), n, 0);
    std::fill_n(b.rawA.begin(), n, 0);
    std::fill_n(b.rawS.begin(), n, 0);
}

// One channel's reading into a sum: converted, or raw in raw converter mode.
template <bool Raw>
struct Reader {
    static void add(const ChannelSettings& c, std::vector<double>& sum,
                    std::vector<std::int64_t>& raw, std::size_t j) {
        if constexpr (Raw) {
            raw[j] += readEa(c);
        } else {
            sum[j] += readEad(c);
        }
    }
};

template <bool Raw, bool A, bool S>
void normalLoop(BurstBuffers& b, std::size_t n, ProgramSettings& settings) {
    using R = Reader<Raw>;
    const ChannelSettings& cp = settings.channelP;
    const ChannelSettings& ca = settings.channelA;
    const ChannelSettings& cs = settings.channelS;
    const std::int64_t interval = settings.intervalUs;
    const std::uint64_t start = microsecondClock();
    for (std::size_t j = 0; j < n; ++j) {
        const std::int64_t end = static_cast<std::int64_t>(j + 1) * interval;
        std::int64_t t = 0;
        std::uint64_t count = 0;
        do {
            t = elapsedUs(start);
            R::add(cp, b.p, b.rawP, j);
            if constexpr (A) R::add(ca, b.a, b.rawA, j);
            if constexpr (S) R::add(cs, b.s, b.rawS, j);
            ++count;
        } while (t <= end);
        b.timeUs[j] = t;
        b.count[j] = count;
        if (settings.variableOutputActive) {
            const double p = readEad(cp);
            const double a = readEad(ca);
            const double s = readEad(cs);
            updateVariableOutput(settings, p, a, s, static_cast<double>(t) / 1e6);
        }
    }
}

template <bool Raw>
double readOne(const ChannelReader& r) {
    if constexpr (Raw) {
        return r.readEa();
    } else {
        return r.readEad();
    }
}

// Nothing but the readings: the entry points are looked up once for the whole burst.
template <bool Raw, bool A, bool S>
void fastLoop(BurstBuffers& b, std::size_t n, const ProgramSettings& settings) {
    const ChannelReader rp(settings.channelP);
    const ChannelReader ra(settings.channelA);
    const ChannelReader rs(settings.channelS);
    double* p = b.p.data();
    double* a = b.a.data();
    double* s = b.s.data();
    if constexpr (!Raw && !A && !S) {
        // P alone, the usual prestissimo: the bare loop over the driver's function.
        if (rp.real != nullptr) {
            const auto fn = rp.real;
            const std::int32_t input = rp.input;
            for (double* out = p; out != p + n; ++out) *out = fn(input);
            return;
        }
    }
    for (std::size_t j = 0; j < n; ++j) {
        p[j] = readOne<Raw>(rp);
        if constexpr (A) a[j] = readOne<Raw>(ra);
        if constexpr (S) s[j] = readOne<Raw>(rs);
    }
}

// Calls Loop<raw, a, s> with the flags as template arguments, so the loops test nothing but
// their end condition.
template <template <bool, bool, bool> class Loop, typename... Args>
void dispatch(bool raw, bool a, bool s, Args&&... args) {
    const int key = (raw ? 4 : 0) | (a ? 2 : 0) | (s ? 1 : 0);
    switch (key) {
        case 0:
            return Loop<false, false, false>::run(args...);
        case 1:
            return Loop<false, false, true>::run(args...);
        case 2:
            return Loop<false, true, false>::run(args...);
        case 3:
            return Loop<false, true, true>::run(args...);
        case 4:
            return Loop<true, false, false>::run(args...);
        case 5:
            return Loop<true, false, true>::run(args...);
        case 6:
            return Loop<true, true, false>::run(args...);
        default:
            return Loop<true, true, true>::run(args...);
    }
}

template <bool Raw, bool A, bool S>
struct NormalLoop {
    static void run(BurstBuffers& b, std::size_t n, ProgramSettings& settings) {
        normalLoop<Raw, A, S>(b, n, settings);
    }
};

template <bool Raw, bool A, bool S>
struct FastLoop {
    static void run(BurstBuffers& b, std::size_t n, const ProgramSettings& settings) {
        fastLoop<Raw, A, S>(b, n, settings);
    }
};

}  // namespace

std::size_t burstSampleCount(const ProgramSettings& settings) {
    return std::min<std::size_t>(settings.maxMeasurements, BurstBuffers::kCapacity);
}

BurstTimeUnit burstTimeUnit(std::int32_t intervalUs, std::size_t n, bool rawConverterMode) {
    const std::int64_t interval = intervalUs;
    const bool ms = interval >= 100 || interval * static_cast<std::int64_t>(n) >= 10000;
    if (!ms) return BurstTimeUnit::Microseconds;
    if (interval > 100000 && !rawConverterMode) return BurstTimeUnit::Seconds;
    return BurstTimeUnit::Milliseconds;
}

void sampleNormalBurst(BurstBuffers& b, std::size_t n, ProgramSettings& settings, bool aActive,
                       bool sActive) {
    n = std::min(n, BurstBuffers::kCapacity);
    clearSums(b, n);
    dispatch<NormalLoop>(settings.rawConverterMode, aActive, sActive, b, n, settings);
}

void readFastSamples(BurstBuffers& b, std::size_t n, const ProgramSettings& settings, bool aActive,
                     bool sActive) {
    n = std::min(n, BurstBuffers::kCapacity);
    dispatch<FastLoop>(settings.rawConverterMode, aActive, sActive, b, n, settings);
}

void sampleFastBurst(BurstBuffers& b, std::size_t n, const ProgramSettings& settings, bool aActive,
                     bool sActive) {
    n = std::min(n, BurstBuffers::kCapacity);
    // Inactive channels give 0; the others are overwritten by their readings.
    if (!aActive) std::fill_n(b.a.begin(), n, 0.0);
    if (!sActive) std::fill_n(b.s.begin(), n, 0.0);
    const std::uint64_t t1 = microsecondClock();
    readFastSamples(b, n, settings, aActive, sActive);
    const std::uint64_t t2 = microsecondClock();
    const std::uint64_t span = t2 - t1;
    for (std::size_t j = 0; j < n; ++j) {
        b.time[j] = static_cast<double>(span * (j + 1)) / static_cast<double>(n);
        b.count[j] = 1;
    }
}

void normalBurstResult(BurstBuffers& b, std::size_t n, std::int32_t intervalUs,
                       bool rawConverterMode, bool aActive, bool sActive) {
    n = std::min(n, BurstBuffers::kCapacity);
    if (n == 0) return;
    const BurstTimeUnit unit = burstTimeUnit(intervalUs, n, rawConverterMode);
    if (rawConverterMode) {
        // Integer times: divided by 1000 first, then measured from the first sample.
        const std::int64_t divisor = unit == BurstTimeUnit::Microseconds ? 1 : 1000;
        const std::int64_t origin = b.timeUs[0] / divisor;
        for (std::size_t j = 0; j < n; ++j) {
            b.time[j] = static_cast<double>(b.timeUs[j] / divisor - origin);
            const double count = static_cast<double>(std::max<std::uint64_t>(b.count[j], 1));
            b.p[j] = static_cast<double>(b.rawP[j]) / count;
            b.a[j] = aActive ? static_cast<double>(b.rawA[j]) / count : 0.0;
            b.s[j] = sActive ? static_cast<double>(b.rawS[j]) / count : 0.0;
        }
        return;
    }
    const double divisor = unit == BurstTimeUnit::Seconds        ? 1e6
                           : unit == BurstTimeUnit::Milliseconds ? 1e3
                                                                 : 1.0;
    // Sample 1's original time, kept aside: every sample is measured from it.
    const std::int64_t origin = b.timeUs[0];
    for (std::size_t j = 0; j < n; ++j) {
        b.time[j] = static_cast<double>(b.timeUs[j] - origin) / divisor;
        const double count = static_cast<double>(std::max<std::uint64_t>(b.count[j], 1));
        b.p[j] /= count;
        b.a[j] /= count;
        b.s[j] /= count;
    }
}

void drawBurst(GraphModel& graph, BurstBuffers& b, std::size_t n, const ProgramSettings& settings) {
    n = std::min(n, BurstBuffers::kCapacity);
    const bool aActive = graph.aActive;
    const bool sActive = graph.sActive;
    for (std::size_t j = 1; j < n; ++j) {
        const double t = b.time[j];
        b.yP[j] = Evalue4(settings.channelP.formula, b.p[j], b.a[j], b.s[j], t);
        if (aActive) b.yA[j] = Evalue4(settings.channelA.formula, b.p[j], b.a[j], b.s[j], t);
        if (sActive) b.yS[j] = Evalue4(settings.channelS.formula, b.p[j], b.a[j], b.s[j], t);
    }
    graph.clearAllSeries();
    for (std::size_t j = 1; j < n; ++j) {
        graph.addPoint(Channel::P, b.time[j], b.yP[j]);
        if (aActive) graph.addPoint(Channel::A, b.time[j], b.yA[j]);
        if (sActive) graph.addPoint(Channel::S, b.time[j], b.yS[j]);
    }
}

}  // namespace qtl
