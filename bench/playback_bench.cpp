// Score playback on the real main window and the real clock: a 200-column
// score at tempo 120 (125 ms a step), played whole. Reported per run: how far
// each interval between two consecutive steps lies from 125 ms (99th
// percentile and worst, in ms), and the share of one core the process used
// while it played. One run plays without the position bar; the other shows
// the bar in a 40-column view, so the view scrolls every 40 steps. The figures
// that matter come from a run while every core is busy (a parallel build, or
// one `yes > /dev/null` per core).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "support/app/FortyColumnView.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Columns = 200;
constexpr double StepMs = 125.0;

// Takes the time of every note on, to the microsecond; the bench plays one
// note start per column on track 0, so these are the steps' times.
class StepTimingDevice : public midiout::Device {
public:
    std::string name() const override { return "Step timing"; }
    bool open() override { return true; }
    void close() override {}
    void send(std::uint8_t status, std::uint8_t, std::uint8_t) override {
        if ((status & 0xF0) == 0x90 && (status & 0x0F) == 0) noteOns.push_back(Clock::now());
    }
    std::vector<Clock::time_point> noteOns;
};

std::shared_ptr<StepTimingDevice>& device() {
    static auto instance = std::make_shared<StepTimingDevice>();
    return instance;
}

std::unique_ptr<app::Form1> loadWindow() {
    benchsupport::ensureApplication(device());
    return benchsupport::loadMainWindow(750, 600);
}

// Track 0 starts a note in every column; four more tracks hold notes of a few
// columns each, so every step has several tracks' messages to send.
void fillScore(app::Form1& window) {
    window.ClearScore();
    for (int column = 0; column < Columns; ++column) {
        window.Notes[0][column] = static_cast<std::int16_t>(60 + column % 5);
        for (int track = 1; track <= 4; ++track) {
            const int length = track + 1;
            const auto row = static_cast<std::int16_t>(50 + track * 3);
            window.Notes[track][column] =
                static_cast<std::int16_t>(column % length == 0 ? row : score::HeldOffset + row);
            window.Instruments[track][column] = static_cast<std::int16_t>(track * 10);
        }
    }
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void playWholeScore(benchmark::State& state, bool showPosition) {
    auto window = loadWindow();
    fillScore(*window);
    window->TempoLabel.setCaption("120");
    window->CursorColumn = 0;
    if (showPosition) {
        testsupport::showFortyColumns(*window);
        window->chkgraphics.setValue(1);
    }
    std::vector<double> deviations;
    double cpu = 0.0;
    double wall = 0.0;
    for (auto _ : state) {
        device()->noteOns.clear();
        const double cpuBefore = cpuSeconds();
        const auto wallBefore = Clock::now();
        window->PlayAndStop_Click(0);
        wall += std::chrono::duration<double>(Clock::now() - wallBefore).count();
        cpu += cpuSeconds() - cpuBefore;
        const auto& times = device()->noteOns;
        for (std::size_t i = 1; i < times.size(); ++i) {
            const double ms =
                std::chrono::duration<double, std::milli>(times[i] - times[i - 1]).count();
            deviations.push_back(std::abs(ms - StepMs));
        }
        if (times.size() != Columns) state.SkipWithError("not every column played");
    }
    std::sort(deviations.begin(), deviations.end());
    if (deviations.empty()) return;
    const auto p99 = deviations[static_cast<std::size_t>(0.99 * (deviations.size() - 1))];
    state.counters["p99_dev_ms"] = p99;
    state.counters["max_dev_ms"] = deviations.back();
    state.counters["median_dev_ms"] = deviations[deviations.size() / 2];
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0.0;
    state.counters["steps"] = static_cast<double>(deviations.size() + 1);
}

void BM_PlayScore(benchmark::State& state) {
    playWholeScore(state, false);
}

void BM_PlayScoreScrollingEvery40Steps(benchmark::State& state) {
    playWholeScore(state, true);
}

BENCHMARK(BM_PlayScore)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlayScoreScrollingEvery40Steps)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
