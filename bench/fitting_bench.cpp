// One fit of each model on 10,000 noisy points (fixed seed), from the automatic starting
// values (the free model from values within a factor 2 of the truth), start values included.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/curve_fit.h"

namespace {

constexpr std::size_t kPoints = 10'000;

struct Case {
    qtl::ModelKind kind;
    int degree;
    const char* text;
    std::vector<double> truth;
    double x0, x1, noise;
    std::vector<double> start;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {qtl::ModelKind::Linear, 2, "", {2.5}, -3, 7, 0.05, {}},
        {qtl::ModelKind::Affine, 2, "", {-1.25, 4}, 0, 10, 0.1, {}},
        {qtl::ModelKind::Polynomial, 2, "", {0.5, -2, 0.3}, -4, 6, 0.1, {}},
        {qtl::ModelKind::Polynomial,
         6,
         "",
         {0.3, -1, 0.5, 0.2, -0.1, 0.02, 0.004},
         -2,
         3,
         0.01,
         {}},
        {qtl::ModelKind::Exponential, 2, "", {5, 1.5, 0.75}, 0, 8, 0.02, {}},
        {qtl::ModelKind::FirstOrderRise, 2, "", {3.3, 0.02, 0.1}, 0, 0.15, 0.01, {}},
        {qtl::ModelKind::DampedSine, 2, "", {2, 3, 0.8, 0.6, 0.5}, 0, 6, 0.02, {}},
        {qtl::ModelKind::Power, 2, "", {1.7, -0.5}, 0.5, 20, 0.005, {}},
        {qtl::ModelKind::Free, 2, "K*X/(M+X)+C", {4, 1.5, 0.3}, 0, 10, 0.02, {2, 3, 0.6}},
    };
    return all;
}

void BM_Fit(benchmark::State& state) {
    const Case& c = cases()[static_cast<std::size_t>(state.range(0))];
    const qtl::FitModel model(qtl::ModelChoice{c.kind, c.degree, c.text});
    std::mt19937 engine(20261208);
    std::normal_distribution<double> gauss(0.0, c.noise);
    std::vector<double> xs;
    std::vector<double> ys;
    for (std::size_t i = 0; i < kPoints; ++i) {
        const double x = c.x0 + (c.x1 - c.x0) * static_cast<double>(i) / (kPoints - 1);
        xs.push_back(x);
        ys.push_back(model.value(c.truth, x) + gauss(engine));
    }
    int iterations = 0;
    for (auto _ : state) {
        const qtl::FitResult r = qtl::fitCurve(model, xs, ys, qtl::FitOptions{{}, c.start, 500});
        if (r.status != qtl::FitStatus::Ok) state.SkipWithError(r.message.c_str());
        iterations = r.iterations;
        benchmark::DoNotOptimize(r.values.data());
    }
    state.SetLabel(model.equation());
    state.counters["iterations"] = iterations;
}
BENCHMARK(BM_Fit)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
