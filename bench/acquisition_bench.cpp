// The burst's sampling against bare loops over the same driver function: readings per second of
// the fast burst, and readings per sample achieved by the normal burst's oversampling against
// what a bare loop reads in the same interval. The trivial driver lives in this program and is
// reached through the same function pointer the wrappers use.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "graph/acquisition_state.h"
#include "graph/burst.h"
#include "settings/clock.h"
#include "settings/program_settings.h"

namespace {

std::int32_t g_calls = 0;

const char* QTL_PILOTE_CALL trivialDescription() {
    return "trivial";
}
const char* QTL_PILOTE_CALL trivialName(std::int32_t index) {
    return index == 0 ? "EA0" : "";
}
double QTL_PILOTE_CALL trivialReal(std::int32_t input) {
    ++g_calls;
    return 1.0 + input;
}

qtl::ProgramSettings& trivialSettings() {
    static qtl::ProgramSettings settings = [] {
        qtl::ProgramSettings s;
        s.channelP.driver.description = trivialDescription;
        s.channelP.driver.inputName = trivialName;
        s.channelP.driver.realReading = trivialReal;
        s.channelP.active = true;
        return s;
    }();
    return settings;
}

// The driver function as the bare loop sees it: through a pointer it cannot look into.
qtl_pilote_real_read_fn volatile g_bareFn = trivialReal;

constexpr std::size_t kSamples = qtl::BurstBuffers::kCapacity;

// The sampling loop of the fast burst (between its two clock readings): the burst's rate.
void BM_FastBurstThroughWrappers(benchmark::State& state) {
    qtl::ProgramSettings& s = trivialSettings();
    qtl::BurstBuffers buffers;
    for (auto _ : state) {
        qtl::readFastSamples(buffers, kSamples, s, false, false);
        benchmark::DoNotOptimize(buffers.p.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSamples));
}
BENCHMARK(BM_FastBurstThroughWrappers);

// The whole fast burst: clock readings and the spreading of the times included.
void BM_FastBurstWhole(benchmark::State& state) {
    qtl::ProgramSettings& s = trivialSettings();
    qtl::BurstBuffers buffers;
    for (auto _ : state) {
        qtl::sampleFastBurst(buffers, kSamples, s, false, false);
        benchmark::DoNotOptimize(buffers.p.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSamples));
}
BENCHMARK(BM_FastBurstWhole);

void BM_FastBurstBareLoop(benchmark::State& state) {
    std::vector<double> p(kSamples);
    for (auto _ : state) {
        const qtl_pilote_real_read_fn fn = g_bareFn;
        for (std::size_t j = 0; j < kSamples; ++j) p[j] = fn(0);
        benchmark::DoNotOptimize(p.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSamples));
}
BENCHMARK(BM_FastBurstBareLoop);

// A normal burst of 100 samples of intervalUs; counter: readings per sample achieved.
void BM_NormalBurstOversampling(benchmark::State& state) {
    qtl::ProgramSettings& s = trivialSettings();
    s.intervalUs = static_cast<std::int32_t>(state.range(0));
    constexpr std::size_t n = 100;
    qtl::BurstBuffers buffers;
    std::uint64_t readings = 0;
    for (auto _ : state) {
        qtl::sampleNormalBurst(buffers, n, s, false, false);
        // Samples 2..n: sample 1 starts with the burst and is not drawn.
        for (std::size_t j = 1; j < n; ++j) readings += buffers.count[j];
    }
    state.counters["readings_per_sample"] =
        static_cast<double>(readings) / static_cast<double>(state.iterations() * (n - 1));
}
BENCHMARK(BM_NormalBurstOversampling)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

// What the driver gives in the same time when nothing else is done: a bare loop over the
// burst's whole duration that looks at the clock only every 1024 readings.
void BM_NormalBurstBareLoop(benchmark::State& state) {
    const auto interval = std::chrono::microseconds(state.range(0));
    constexpr int n = 100;
    std::uint64_t readings = 0;
    for (auto _ : state) {
        const qtl_pilote_real_read_fn fn = g_bareFn;
        const auto end = std::chrono::steady_clock::now() + n * interval;
        double sum = 0;
        do {
            for (int k = 0; k < 1024; ++k) sum += fn(0);
            readings += 1024;
        } while (std::chrono::steady_clock::now() < end);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["readings_per_sample"] =
        static_cast<double>(readings) / static_cast<double>(state.iterations() * n);
}
BENCHMARK(BM_NormalBurstBareLoop)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qtl::calibrateMicrosecondClock();  // as the program does at start-up
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
