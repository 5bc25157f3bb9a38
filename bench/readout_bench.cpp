// One live readout tick with the three channels active on the simulation driver: the core
// texts (nine driver calls, P's formula compiled again) and the whole main window tick
// (caption, menu states, big digits labels). The readout runs every 100 ms at the fastest.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <clocale>

#include "formula/formula.h"
#include "settings/input_driver.h"
#include "settings/live_readout.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/program_windows.h"

namespace {

void threeSimulatedChannels(const char* formulaP) {
    qtl::resetProgramSettings();
    qtl::ProgramSettings& s = qtl::programSettings();
    std::uint16_t input = 0;
    for (qtl::ChannelSettings* c : {&s.channelP, &s.channelA, &s.channelS}) {
        qtl::loadInputDriver(*c, QTL_SIMULATION_DRIVER, qtl::DriverNameSet::Dialog);
        c->inputIndex = input++;
    }
    s.channelP.formulaText = formulaP;
    qtl::compileChannelFormulas(s);
}

void BM_ReadoutTexts(benchmark::State& state) {
    threeSimulatedChannels(state.range(0) == 0 ? "P" : "SQRT(P*P+A*A)*1000/(1+EXP(-S))");
    qtl::programSettings().rawConverterMode = state.range(1) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(qtl::readoutTexts(qtl::programSettings()));
    state.SetLabel(std::string(state.range(0) == 0 ? "formula P" : "long P formula") +
                   (state.range(1) != 0 ? ", raw" : ", converted"));
}
BENCHMARK(BM_ReadoutTexts)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Unit(benchmark::kMicrosecond);

void BM_MainWindowTick(benchmark::State& state) {
    threeSimulatedChannels("P");
    qtl::createProgramWindows();
    qtl::TMainForm& form = *qtl::programWindows().MainForm;
    form.timeractuel->stop();
    for (auto _ : state) form.timeractuelTimer();
    qtl::destroyProgramWindows();
}
BENCHMARK(BM_MainWindowTick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
