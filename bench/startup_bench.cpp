// Loading the main window: construction, the loading steps and the first
// layout, with the real built-in synthesizer (without the splash's pause).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Form1.h"
#include "platform/forms/Application.h"

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "startup-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *instance;
}

std::unique_ptr<app::Form1> loadMainWindow() {
    auto window = std::make_unique<app::Form1>();
    window->setClientSize(1024, 700);
    window->Form_Load();
    window->show();
    forms::doEvents();
    return window;
}

// The first load of the process also loads the SoundFont.
void BM_FirstMainWindowLoad(benchmark::State& state) {
    application();
    for (auto _ : state) {
        auto window = loadMainWindow();
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstMainWindowLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MainWindowLoad(benchmark::State& state) {
    application();
    for (auto _ : state) {
        auto window = loadMainWindow();
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowLoad)
    ->Repetitions(10)
    ->Iterations(1)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
