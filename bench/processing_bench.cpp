// The five processing commands on windows of 10,000 to 2,000,000 points (the fitted
// complexity shows linear time), and the transformation beside the 2n formula evaluations
// alone that it needs (one per point of the point series, one per point of the line series).
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "formula/formula.h"
#include "graph/processing_calculus.h"
#include "graph/processing_smoothing.h"
#include "graph/processing_statistics.h"
#include "graph/processing_transform.h"

namespace qtl {
namespace {

// A window as an acquisition leaves it: P, A and S with n points each, X from 1.
GraphModel window(std::size_t n) {
    GraphModel m;
    for (const Channel c : {Channel::P, Channel::A, Channel::S}) {
        m.points(c).reserve(n);
        m.line(c).reserve(n);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double x = 1.0 + 0.001 * static_cast<double>(i);
        m.addPoint(Channel::P, x, std::sin(x) * 5);
        m.addPoint(Channel::A, x, 1 + std::cos(x));
        m.addPoint(Channel::S, x, 2 + std::sin(3 * x));
    }
    return m;
}

void setSize(benchmark::State& state) {
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Statistics(benchmark::State& state) {
    const GraphModel m = window(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(statisticsText(m, '.'));
    setSize(state);
}

void BM_Smoothing(benchmark::State& state) {
    const GraphModel source = window(static_cast<std::size_t>(state.range(0)));
    GraphModel m;
    for (auto _ : state) {
        state.PauseTiming();
        m = source;
        state.ResumeTiming();
        smoothAllSeries(m);
    }
    setSize(state);
}

void BM_Derivative(benchmark::State& state) {
    const GraphModel source = window(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        GraphModel target;
        fillDerivative(source, target);
        benchmark::DoNotOptimize(target);
    }
    setSize(state);
}

void BM_Integral(benchmark::State& state) {
    const GraphModel source = window(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        GraphModel target;
        fillIntegral(source, target);
        benchmark::DoNotOptimize(target);
    }
    setSize(state);
}

const char* const kFormulas[] = {"2*P+1", "P*A+S/X", "SQRT(ABS(P))+LN(A+2)*COS(X)"};

void BM_Transform(benchmark::State& state) {
    const char* text = kFormulas[state.range(1)];
    state.SetLabel(text);
    const GraphModel source = window(static_cast<std::size_t>(state.range(0)));
    GraphModel m;
    for (auto _ : state) {
        state.PauseTiming();
        m = source;
        state.ResumeTiming();
        transformP(m, text);
    }
    setSize(state);
}

// The same 2n evaluations with the same values, reading plain arrays and writing nothing.
void BM_TransformEvaluationsAlone(benchmark::State& state) {
    const char* text = kFormulas[state.range(1)];
    state.SetLabel(text);
    const GraphModel m = window(static_cast<std::size_t>(state.range(0)));
    CompiledFormula f;
    Definis_Fonction("PASX", text, f);
    const auto run = [&f](const DataSeries& p, const DataSeries& a, const DataSeries& s) {
        const auto py = p.ys();
        const auto px = p.xs();
        const auto ay = a.ys();
        const auto sy = s.ys();
        double sink = 0;
        for (std::size_t i = 0; i < py.size(); ++i) sink += Evalue4(f, py[i], ay[i], sy[i], px[i]);
        return sink;
    };
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            run(m.points(Channel::P), m.points(Channel::A), m.points(Channel::S)));
        benchmark::DoNotOptimize(run(m.line(Channel::P), m.line(Channel::A), m.line(Channel::S)));
    }
    setSize(state);
}

void sizes(benchmark::internal::Benchmark* b) {
    // 2,000,000 as well: past 100,000 points a window no longer fits the processor's cache,
    // and the fit should compare sizes on the same side of that step.
    for (int n : {10'000, 100'000, 1'000'000, 2'000'000}) b->Arg(n);
    b->Complexity(benchmark::oN);
    b->Unit(benchmark::kMillisecond);
}

void formulaSizes(benchmark::internal::Benchmark* b) {
    for (int f = 0; f < 3; ++f) {
        for (int n : {10'000, 100'000, 1'000'000}) b->Args({n, f});
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Statistics)->Apply(sizes);
BENCHMARK(BM_Smoothing)->Apply(sizes);
BENCHMARK(BM_Derivative)->Apply(sizes);
BENCHMARK(BM_Integral)->Apply(sizes);
BENCHMARK(BM_Transform)->Apply(formulaSizes);
BENCHMARK(BM_TransformEvaluationsAlone)->Apply(formulaSizes);

}  // namespace
}  // namespace qtl

BENCHMARK_MAIN();
