// Stream path throughput: bulk blocks through the reader's block handling (frame parser, ring
// mutex, rings) and out through VorGetSampleData, for one channel (raw stream) and four
// channels (frames), next to a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "api/api_state.h"
#include "api/cvor_api.h"
#include "datasheet/datasheet_builder.h"
#include "emulation/emulated_platform.h"
#include "protocol/sensor_interface.h"
#include "vornik_api.h"

namespace {

using namespace vornik;

constexpr int kBlock = SensorInterface::kReadBlock;
constexpr int kBlocksPerRound = 32;  // 128 KiB per round, half a ring

// One interface on an emulated bus whose own stream is too slow to matter: the benchmark feeds
// the blocks itself, as the reader thread would after each bulk read.
struct StreamRig {
    std::shared_ptr<emulation::EmulatedPlatform> bus =
        std::make_shared<emulation::EmulatedPlatform>();
    platform::ScopedPlatform guard{bus};
    int id = -1;
    int sampleSize = 0;
    SensorInterface* iface = nullptr;

    StreamRig(int channels, uint8_t measurementSize) {
        DataSheetBuilder b;
        b.measurements.push_back(MeasurementSpec::sampled(1, "m", measurementSize));
        emulation::InterfaceConfig c;
        c.channelCount = static_cast<uint16_t>(channels);
        c.samplesPerSecond = 0.001;
        for (int i = 0; i < channels; ++i) {
            emulation::SensorConfig s;
            s.dataSheet = b.build();
            s.sample.assign(measurementSize, 0);
            c.sensors.push_back(s);
        }
        bus->plugIn(c);
        VorInit();
        VorGetDevices(0, &id, 1);
        VorGetNumChannels(0, id);
        // Channel 0 streams; the rings of the other channels take frames all the same.
        sampleSize = VorStartContinuousSampling(0, id, 0, 100);
        iface = api::apiObject()->find(id);
        // The reader thread resets the parser before its first bulk read; feeding blocks before
        // it has done so would race with that reset.
        VorMSsleep(200);
    }
    ~StreamRig() {
        VorStopContinuousSampling(0, id, 0);
        VorDelete();
    }
};

std::vector<uint8_t> framedBlocks(int channels, int payload) {
    std::vector<uint8_t> out;
    uint8_t ch = 0;
    while (out.size() + 4 + static_cast<size_t>(payload) <= static_cast<size_t>(kBlock)) {
        out.push_back(0xC3);
        out.push_back(ch);
        out.push_back(static_cast<uint8_t>(payload));
        out.push_back(static_cast<uint8_t>(payload >> 8));
        out.insert(out.end(), static_cast<size_t>(payload), static_cast<uint8_t>(ch + 1));
        ch = static_cast<uint8_t>((ch + 1) % channels);
    }
    return out;
}

void runStream(benchmark::State& state, int channels, uint8_t sampleBytes,
               const std::vector<uint8_t>& block, size_t payloadPerBlock) {
    StreamRig rig(channels, sampleBytes);
    if (rig.iface == nullptr || rig.sampleSize != sampleBytes) {
        state.SkipWithError("stream did not start");
        return;
    }
    std::vector<uint8_t> out(SampleRing::kCapacity);
    for (auto _ : state) {
        for (int i = 0; i < kBlocksPerRound; ++i)
            rig.iface->processBlock(block.data(), block.size());
        for (int ch = 0; ch < channels; ++ch) {
            const int n = VorGetSampleData(0, rig.id, ch, rig.sampleSize, out.data(),
                                           static_cast<int>(out.size()));
            benchmark::DoNotOptimize(n);
        }
        benchmark::ClobberMemory();
    }
    if (!rig.iface->streaming()) state.SkipWithError("the stream ended");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBlocksPerRound *
                            static_cast<int64_t>(payloadPerBlock));
}

void BM_StreamOneChannel(benchmark::State& state) {
    const std::vector<uint8_t> block(kBlock, 0x5A);
    runStream(state, 1, 4, block, block.size());
}

void BM_StreamFourChannels(benchmark::State& state) {
    const int payload = static_cast<int>(state.range(0));
    const std::vector<uint8_t> block = framedBlocks(4, payload);
    const size_t frames = block.size() / (4 + static_cast<size_t>(payload));
    runStream(state, 4, 6, block, frames * static_cast<size_t>(payload));
}

// The same payload bytes copied once with memcpy: the limit of any path that stores them. The
// argument offsets the destination from the source's page position: with both page-aligned
// (0) some processors copy many times slower.
void BM_MemcpySameBytes(benchmark::State& state) {
    const size_t bytes = static_cast<size_t>(kBlocksPerRound) * kBlock;
    const size_t offset = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> src(bytes, 0x5A), dst(bytes + offset);
    for (auto _ : state) {
        std::memcpy(dst.data() + offset, src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

}  // namespace

BENCHMARK(BM_MemcpySameBytes)->Arg(64)->Arg(0);
BENCHMARK(BM_StreamOneChannel);
BENCHMARK(BM_StreamFourChannels)->Arg(252)->Arg(60)->Arg(6);

BENCHMARK_MAIN();
