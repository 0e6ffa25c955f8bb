// The score view's hot paths on the real main window: a full redraw of a
// 154 x 60-cell view over a score with every cell used, and a rubber-band
// drag across the view (restore the row strip, draw the bar) of 150 moves.

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSupport.h"
#include "platform/forms/Application.h"

namespace {

using benchsupport::fillDenseScore;
using benchsupport::hasExpectedView;
using benchsupport::ViewColumns;

// The view's MIDI output goes nowhere: the benchmark measures drawing only.
class SilentDevice : public midiout::Device {
public:
    std::string name() const override { return "Silent"; }
    bool open() override { return true; }
    void close() override {}
    void send(std::uint8_t, std::uint8_t, std::uint8_t) override {}
};

std::unique_ptr<app::Form1> loadWideWindow() {
    benchsupport::ensureApplication(std::make_shared<SilentDevice>());
    return benchsupport::loadWideWindow();
}

void BM_RedrawDenseScore(benchmark::State& state) {
    auto window = loadWideWindow();
    if (!hasExpectedView(*window, state)) return;
    fillDenseScore(*window);
    window->CursorColumn = 10;
    window->SelStart = -1;
    if (state.range(0) != 0) {
        // A selection over the whole width: the largest tint there is.
        window->SelStart = 0;
        window->SelEnd = 999;
    }
    for (auto _ : state) {
        window->RedrawScore();
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) != 0 ? "whole view selected" : "no selection");
}
BENCHMARK(BM_RedrawDenseScore)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Showing the picture: the repaint that the event loop runs after a redraw.
void BM_ShowScoreBox(benchmark::State& state) {
    auto window = loadWideWindow();
    if (!hasExpectedView(*window, state)) return;
    fillDenseScore(*window);
    window->RedrawScore();
    for (auto _ : state) {
        window->MusicBox.surface().touch();
        window->MusicBox.refresh();
        forms::doEvents();
    }
}
BENCHMARK(BM_ShowScoreBox)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// What a draw-mode drag does per mouse move: put back the row strip saved at
// the press, then draw the rubber-band bar from the pressed column to the
// pointer's column with its head.
void BM_DragAcrossView(benchmark::State& state) {
    auto window = loadWideWindow();
    if (!hasExpectedView(*window, state)) return;
    fillDenseScore(*window);
    window->RedrawScore();
    auto& box = window->MusicBox.surface();
    const int pressColumn = 2;
    const std::int16_t pressRow = 20;
    const int moves = 150;
    for (auto _ : state) {
        window->GetRow(pressRow);
        for (int move = 0; move < moves; ++move) {
            const int dragColumn = pressColumn + move % (ViewColumns - pressColumn);
            window->PutRow(pressRow);
            box.filledBox(pressColumn * 12 + 1, pressRow * 12 + 4, dragColumn * 12 + 10,
                          pressRow * 12 + 7, window->ScoreBackColor);
            box.box(pressColumn * 12 + 1, pressRow * 12 + 4, dragColumn * 12 + 10,
                    pressRow * 12 + 7, window->CurrentTrackColour);
            box.setFillColour(window->CurrentTrackColour);
            box.setFillStyle(surface::FillStyle::Solid);
            box.circle(pressColumn * 12 + 5, pressRow * 12 + 5, 5, 0x000000);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DragAcrossView)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
