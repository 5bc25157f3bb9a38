// A four-column ".TAB" file of 250,000 and 1,000,000 rows read into a graph window's model
// and written from it, beside the limit: a plain loop that only splits lines and converts
// with strtod, or prints with snprintf. The Plain/Program pairs run in one process so that
// their ratios hold on a loaded machine; the two sizes show the growth with the rows.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "files/data_file_reader.h"
#include "files/data_file_writer.h"

namespace {

namespace fs = std::filesystem;

fs::path folder() {
    static const fs::path dir = [] {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        fs::path d = fs::temp_directory_path() / ("qtl_files_bench_" + std::to_string(stamp));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

qtl::GraphModel sampleModel(std::size_t rows) {
    qtl::GraphModel m;
    m.aActive = m.sActive = true;
    m.bottomAxis().setTitle("temps");
    m.leftAxis().setTitle("P");
    m.rightAxis().setTitle("A");
    m.setSTitle("S");
    for (std::size_t i = 0; i < rows; ++i) {
        const double t = static_cast<double>(i) * 1e-3;
        m.addPoint(qtl::Channel::P, t, std::sin(t) * 10);
        m.addPoint(qtl::Channel::A, t, std::cos(t) * 0.5);
        m.addPoint(qtl::Channel::S, t, t * 3.25 - 7);
    }
    return m;
}

// The file the readers read, written once per size.
fs::path inputFile(std::size_t rows) {
    const fs::path p = folder() / ("input" + std::to_string(rows) + ".tab");
    if (!fs::exists(p)) qtl::writeDataFile(p, sampleModel(rows), {});
    return p;
}

void BM_ReadTab_Program(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    const fs::path p = inputFile(rows);
    for (auto _ : state) {
        qtl::GraphModel m;
        qtl::readDataFile(p, m);
        if (m.points(qtl::Channel::S).count() != rows) state.SkipWithError("rows lost");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows));
}

void BM_ReadTab_Plain(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    const fs::path p = inputFile(rows);
    for (auto _ : state) {
        std::FILE* f = std::fopen(p.c_str(), "rb");
        std::vector<double> columns[4];
        char line[256];
        bool first = true;
        while (std::fgets(line, sizeof line, f) != nullptr) {
            if (first) {
                first = false;
                continue;
            }
            char* cursor = line;
            for (auto& column : columns) {
                char* end = nullptr;
                column.push_back(std::strtod(cursor, &end));
                cursor = *end == '\t' ? end + 1 : end;
            }
        }
        std::fclose(f);
        if (columns[3].size() != rows) state.SkipWithError("rows lost");
        benchmark::DoNotOptimize(columns);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows));
}

void BM_WriteTab_Program(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    const qtl::GraphModel m = sampleModel(rows);
    const fs::path p = folder() / "program.tab";
    for (auto _ : state) qtl::writeDataFile(p, m, {});
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows));
}

void BM_WriteTab_Plain(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    const qtl::GraphModel m = sampleModel(rows);
    const auto x = m.points(qtl::Channel::P).xs(), p = m.points(qtl::Channel::P).ys();
    const auto a = m.points(qtl::Channel::A).ys(), s = m.points(qtl::Channel::S).ys();
    const fs::path path = folder() / "plain.tab";
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fputs("temps\tP\tA\tS\r\n", f);
        char line[512];
        for (std::size_t i = 0; i < rows; ++i) {
            const int n = std::snprintf(line, sizeof line, "%.8f\t%.8f\t%.8f\t%.8f\r\n", x[i], p[i],
                                        a[i], s[i]);
            std::fwrite(line, 1, static_cast<std::size_t>(n), f);
        }
        std::fclose(f);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows));
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(250'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_ReadTab_Plain)->Apply(sizes);
BENCHMARK(BM_ReadTab_Program)->Apply(sizes);
BENCHMARK(BM_WriteTab_Plain)->Apply(sizes);
BENCHMARK(BM_WriteTab_Program)->Apply(sizes);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(folder());
    return 0;
}
