// Loading the main window: construction, the loading steps and the first
// layout, with the real built-in synthesizer (without the splash's pause).

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

namespace {

// Loads the window once an iteration; closing it is not measured.
void loadMainWindows(benchmark::State& state) {
    benchsupport::ensureApplication();
    for (auto _ : state) {
        auto window = benchsupport::loadMainWindow(1024, 700);
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

// The first load of the process also loads the SoundFont.
void BM_FirstMainWindowLoad(benchmark::State& state) {
    loadMainWindows(state);
}
BENCHMARK(BM_FirstMainWindowLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MainWindowLoad(benchmark::State& state) {
    loadMainWindows(state);
}
BENCHMARK(BM_MainWindowLoad)
    ->Repetitions(10)
    ->Iterations(1)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
