// The acquisition in a real graph window, offscreen: the spacing of timed points against the
// real clock (100 ms, 10 readings per point, simulation driver on P), and one timed step
// (append and redraw) in a window that already holds a million points per channel.
#include <benchmark/benchmark.h>

#include <qcustomplot.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "graph/memo_file.h"
#include "graph/start_commands.h"
#include "graph/windows/urepere13.h"
#include "settings/clock.h"
#include "settings/input_driver.h"
#include "settings/program_settings.h"
#include "ui/chart.h"

namespace {

constexpr qtl::Channel kChannels[] = {qtl::Channel::P, qtl::Channel::A, qtl::Channel::S};

void loadSimulationOnP() {
    qtl::resetProgramSettings();
    qtl::ProgramSettings& s = qtl::programSettings();
    if (!qtl::loadInputDriver(s.channelP, QTL_SIMULATION_DRIVER, qtl::DriverNameSet::Dialog)) {
        std::abort();
    }
}

// "mesures = f(temps)" at 100 ms for 100 points (plus point 1, which comes at the first step
// by design and is left out). Counters in ms: mean and worst |spacing − interval|.
void BM_TimedSpacingAgainstRealClock(benchmark::State& state) {
    constexpr int kPoints = 101;
    constexpr double kIntervalS = 0.1;
    double meanDev = 0, worstDev = 0;
    for (auto _ : state) {
        loadSimulationOnP();
        qtl::ProgramSettings& s = qtl::programSettings();
        s.intervalUs = 100000;
        s.repeatsPerMeasurement = 10;
        s.maxMeasurements = kPoints;
        auto w = std::make_unique<qtl::Trepere>();
        qtl::startTimedAcquisition(s, w->acquisition(), *w, qtl::memoFile(), "");
        w->show();
        const qtl::DataSeries& p = w->model().points(qtl::Channel::P);
        QElapsedTimer guard;
        guard.start();
        while (p.count() < std::size_t{kPoints} && guard.elapsed() < 60000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        std::vector<double> dev;
        for (std::size_t i = 2; i < p.count(); ++i) {
            dev.push_back(std::abs((p.x(i) - p.x(i - 1)) - kIntervalS) * 1000.0);
        }
        if (dev.empty()) continue;
        double sum = 0;
        for (double d : dev) sum += d;
        meanDev = sum / static_cast<double>(dev.size());
        worstDev = *std::max_element(dev.begin(), dev.end());
        state.counters["spacings"] = static_cast<double>(dev.size());
    }
    state.counters["mean_dev_ms"] = meanDev;
    state.counters["worst_dev_ms"] = worstDev;
}
BENCHMARK(BM_TimedSpacingAgainstRealClock)->Iterations(1)->Unit(benchmark::kSecond);

// A window holding a million points per channel; each iteration is one timed step that
// appends a point to every channel and redraws. With range(0) = 1 the chart is zoomed out
// by hand to the whole range, which makes it draw every point (the way it always drew).
void BM_TimedStepInMillionPointWindow(benchmark::State& state) {
    constexpr std::size_t kMillion = 1'000'000;
    loadSimulationOnP();
    qtl::ProgramSettings& s = qtl::programSettings();
    s.channelA = s.channelP;
    s.channelS = s.channelP;
    s.channelA.inputIndex = 1;
    s.channelS.inputIndex = 2;
    s.channelA.active = s.channelS.active = true;
    s.intervalUs = 1000000;
    auto w = std::make_unique<qtl::Trepere>();
    w->resize(800, 600);
    w->show();
    qtl::GraphModel& m = w->model();
    for (qtl::Channel c : kChannels) {
        m.points(c).reserve(kMillion + 100000);
        m.line(c).reserve(kMillion + 100000);
    }
    for (std::size_t i = 0; i < kMillion; ++i) {
        const double t = static_cast<double>(i) * 1e-6;  // the first second of the recording
        m.addPoint(qtl::Channel::P, t, std::sin(t * 100));
        m.addPoint(qtl::Channel::A, t, std::cos(t * 100));
        m.addPoint(qtl::Channel::S, t, std::sin(t * 300));
    }
    w->Chart1->redraw();
    if (state.range(0) == 1) {
        auto* plot = w->Chart1->findChild<QCustomPlot*>();
        plot->xAxis->setRange(-0.01, 2.0);
    }
    qtl::TimedAcquisitionState& timed = w->acquisition().timed;
    timed.timeOrigin = qtl::elapsedSeconds() - 1.0;  // new points come after the first second
    timed.pointLimit = 65535;
    w->Timerajoutepoint->start();
    for (auto _ : state) {
        timed.pointCounter = 0;  // always due
        w->TimerajoutepointTimer();
    }
    state.counters["points_per_channel"] = static_cast<double>(m.points(qtl::Channel::P).count());
    w->Timerajoutepoint->stop();
}
BENCHMARK(BM_TimedStepInMillionPointWindow)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qtl::calibrateMicrosecondClock();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
