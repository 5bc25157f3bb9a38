// The amplitude spectrum of about a million points (the target: under 1 s in Release), with
// even sampling, uneven sampling (resampled first) and a prime count (padded to a fast length).
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/spectrum.h"

namespace {

struct Samples {
    std::vector<double> xs, ys;
};

Samples sine(std::size_t n, double jitter) {
    Samples s;
    s.xs.reserve(n);
    s.ys.reserve(n);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> move(-jitter, jitter);
    for (std::size_t i = 0; i < n; ++i) {
        const double x = (static_cast<double>(i) + (jitter > 0 ? move(random) : 0)) * 1e-4;
        s.xs.push_back(x);
        s.ys.push_back(std::sin(2 * std::numbers::pi * 440 * x) + 0.1 * std::sin(x));
    }
    return s;
}

void spectrumOf(benchmark::State& state, double jitter) {
    const Samples s = sine(static_cast<std::size_t>(state.range(0)), jitter);
    for (auto _ : state) {
        qtl::Spectrum sp = qtl::amplitudeSpectrum(s.xs, s.ys);
        benchmark::DoNotOptimize(sp.peakFrequency);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SpectrumEven(benchmark::State& state) {
    spectrumOf(state, 0);
}
void BM_SpectrumUneven(benchmark::State& state) {
    spectrumOf(state, 0.3);
}

}  // namespace

// 1,000,000 = 2^6 5^6; 999,983 is prime (padded to 1,000,000); 1,048,573 is prime too
// (padded to 1,048,576 = 2^20).
BENCHMARK(BM_SpectrumEven)
    ->Arg(1'000'000)
    ->Arg(999'983)
    ->Arg(1'048'573)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpectrumUneven)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
