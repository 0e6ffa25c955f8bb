// The score view's hot paths on the real main window: a full redraw of a
// 154 x 60-cell view over a score with every cell used, and a rubber-band
// drag across the view (restore the row strip, draw the bar) of 150 moves.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "app/Form1.h"
#include "platform/forms/Application.h"
#include "platform/midiout/MidiOut.h"

namespace {

// The view's MIDI output goes nowhere: the benchmark measures drawing only.
class SilentDevice : public midiout::Device {
public:
    std::string name() const override { return "Silent"; }
    bool open() override { return true; }
    void close() override {}
    void send(std::uint8_t, std::uint8_t, std::uint8_t) override {}
};

void ensureApplication() {
    static int argc = 1;
    static char name[] = "view-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        midiout::setDevicesForTesting(std::make_shared<SilentDevice>(), {});
        return new QApplication(argc, argv);
    }();
    (void)instance;
}

constexpr int ViewColumns = 154;
constexpr int ViewRows = 60;
constexpr int FirstShownRow = 30;

// 154 columns: (1920 - 70) / 12 = 154; 60 rows: (1010 - 40) / 16 = 60.
std::unique_ptr<app::Form1> loadWideWindow() {
    ensureApplication();
    auto window = std::make_unique<app::Form1>();
    window->setClientSize(1920, 1010);
    window->Form_Load();
    window->show();
    forms::doEvents();
    for (forms::PictureBox* toolbar :
         {&window->toolbSetup, &window->toolbEdit, &window->toolbPlay, &window->toolbRythm,
          &window->ToolbCompose, &window->toolbMIDI, &window->ToolbRecord}) {
        toolbar->setVisible(false);
    }
    window->FirstRow = FirstShownRow;
    window->Form_Resize();
    return window;
}

// Every cell of every track used: each track's notes start every few columns
// (a different rhythm per track) and are held in between, on rows in view.
void fillDenseScore(app::Form1& window) {
    for (int track = 0; track < score::TrackCount; ++track) {
        const int length = 1 + track % 4;
        int row = FirstShownRow;
        for (int column = 0; column < score::ColumnCount; ++column) {
            if (column % length == 0) {
                row = FirstShownRow + (column * 7 + track * 11) % ViewRows;
                window.Notes[track][column] = static_cast<std::int16_t>(row);
            } else {
                window.Notes[track][column] = static_cast<std::int16_t>(score::HeldOffset + row);
            }
        }
    }
}

bool hasExpectedView(const app::Form1& window, benchmark::State& state) {
    if (window.ColumnSpan + 1 == ViewColumns && window.RowSpan + 1 == ViewRows) return true;
    state.SkipWithError("the window did not lay out a 154 x 60 view");
    return false;
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
