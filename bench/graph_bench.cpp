// Graph window series and chart: appending a million points to a series, replacing the
// 1200-point block of a burst in all six series and redrawing, and redrawing a chart that
// holds a million points per series (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <memory>

#include "graph/graph_model.h"
#include "ui/chart.h"

namespace {

constexpr std::size_t kMillion = 1'000'000;
constexpr std::size_t kBurst = 1200;
constexpr qtl::Channel kChannels[] = {qtl::Channel::P, qtl::Channel::A, qtl::Channel::S};

void BM_AppendMillionPoints(benchmark::State& state) {
    for (auto _ : state) {
        qtl::DataSeries series;
        for (std::size_t i = 0; i < kMillion; ++i) {
            series.add(static_cast<double>(i) * 1e-3, std::sin(static_cast<double>(i)));
        }
        benchmark::DoNotOptimize(series.count());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMillion));
}
BENCHMARK(BM_AppendMillionPoints)->Unit(benchmark::kMillisecond);

// A burst: clear the six series, append the block to each channel's two series, redraw.
void BM_ReplaceBurstBlockAndRedraw(benchmark::State& state) {
    qtl::GraphModel model;
    model.aActive = model.sActive = true;
    auto chart = std::make_unique<qtl::Chart>(model);
    chart->resize(800, 600);
    chart->show();
    QApplication::processEvents();
    double phase = 0;
    for (auto _ : state) {
        model.clearAllSeries();
        for (std::size_t j = 1; j < kBurst; ++j) {
            const double t = static_cast<double>(j) * 20;
            model.addPoint(qtl::Channel::P, t, std::sin(t * 1e-3 + phase));
            model.addPoint(qtl::Channel::A, t, std::cos(t * 1e-3 + phase));
            model.addPoint(qtl::Channel::S, t, 0.5 * std::sin(t * 2e-3 + phase));
        }
        chart->redraw();
        phase += 0.1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplaceBurstBlockAndRedraw)->Unit(benchmark::kMillisecond);

// A chart with a million points in each of its six series: one more point, then a redraw,
// as during a long acquisition, in full view.
void BM_RedrawMillionPointsPerSeries(benchmark::State& state) {
    qtl::GraphModel model;
    model.aActive = model.sActive = true;
    for (qtl::Channel c : kChannels) {
        model.points(c).reserve(kMillion + 100000);
        model.line(c).reserve(kMillion + 100000);
    }
    for (std::size_t i = 0; i < kMillion; ++i) {
        const double t = static_cast<double>(i);
        model.addPoint(qtl::Channel::P, t, std::sin(t * 1e-4));
        model.addPoint(qtl::Channel::A, t, std::cos(t * 1e-4));
        model.addPoint(qtl::Channel::S, t, std::sin(t * 3e-4));
    }
    auto chart = std::make_unique<qtl::Chart>(model);
    chart->resize(800, 600);
    chart->show();
    chart->redraw();
    double t = static_cast<double>(kMillion);
    for (auto _ : state) {
        for (qtl::Channel c : kChannels) model.addPoint(c, t, 0);
        t += 1;
        chart->redraw();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RedrawMillionPointsPerSeries)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
