// One converted reading of the simulation driver: through readEad and by a direct call of
// the function the library exports. The two should cost the same.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "settings/input_driver.h"
#include "settings/program_settings.h"

namespace {

constexpr std::uint16_t kInput = 4;  // "sortie analogique 0": the cheapest input

qtl::ChannelSettings& loadedChannel() {
    static qtl::ChannelSettings channel = [] {
        qtl::ChannelSettings c = qtl::ChannelSettings::defaults('P');
        if (!qtl::loadInputDriver(c, QTL_SIMULATION_DRIVER, qtl::DriverNameSet::Dialog)) {
            std::abort();
        }
        c.inputIndex = kInput;
        return c;
    }();
    return channel;
}

void BM_DirectCall(benchmark::State& state) {
    const qtl_pilote_real_read_fn fn = loadedChannel().driver.realReading;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fn(kInput));
    }
}

void BM_ReadEadWrapper(benchmark::State& state) {
    const qtl::ChannelSettings& channel = loadedChannel();
    for (auto _ : state) {
        benchmark::DoNotOptimize(qtl::readEad(channel));
    }
}

void BM_ReadEadByLetter(benchmark::State& state) {
    qtl::programSettings().channelP = loadedChannel();
    for (auto _ : state) {
        benchmark::DoNotOptimize(qtl::readEad('P'));
    }
}

BENCHMARK(BM_DirectCall);
BENCHMARK(BM_ReadEadWrapper);
BENCHMARK(BM_ReadEadByLetter);

}  // namespace

BENCHMARK_MAIN();
