// Mouse editing's two felt latencies on the real main window, with real Qt
// mouse events sent to the score box: from a press in Draw Mode to the note-on
// that sounds it, and a drag move that reaches a new column (restore one row
// strip, draw one bar). The window is 1920 x 1010 with the toolbars closed: a
// view of 154 columns by 60 rows, every other track holding a note in the
// pressed column, so the press also auditions twelve tracks.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <memory>

#include "BenchSupport.h"

namespace {

using benchsupport::hasExpectedView;
using benchsupport::ViewColumns;
using Clock = std::chrono::steady_clock;

// Notes when the first note-on of a press arrives and when the last one does.
class StampingDevice : public midiout::Device {
public:
    std::string name() const override { return "Stamping"; }
    bool open() override { return true; }
    void close() override {}
    void send(std::uint8_t status, std::uint8_t, std::uint8_t) override {
        if ((status & 0xF0) != 0x90) return;
        const Clock::time_point now = Clock::now();
        if (noteOns == 0) firstNoteOn = now;
        lastNoteOn = now;
        ++noteOns;
    }
    void reset() { noteOns = 0; }

    int noteOns = 0;
    Clock::time_point firstNoteOn;
    Clock::time_point lastNoteOn;
};

std::shared_ptr<StampingDevice>& device() {
    static auto instance = std::make_shared<StampingDevice>();
    return instance;
}

constexpr int PressColumn = 20;
constexpr int PressRow = 25;

std::unique_ptr<app::Form1> loadWideWindow() {
    benchsupport::ensureApplication(device());
    auto window = benchsupport::loadWideWindow();
    // Every other track sounds a note in the pressed column.
    for (int track = 1; track < score::TrackCount; ++track) {
        window->Notes[track][PressColumn] = static_cast<std::int16_t>(40 + track);
        window->Instruments[track][PressColumn] = static_cast<std::int16_t>(track * 5);
    }
    window->RedrawScore();
    return window;
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QPoint cellCentre(int column, int row) {
    return {column * 12 + 6, row * 12 + 6};
}

// Manual time: from the press event's sending to the note-on's arrival (the
// pressed note's, or the last of the audition's with argument 1).
void BM_PressToNoteOn(benchmark::State& state) {
    auto window = loadWideWindow();
    if (!hasExpectedView(*window, state)) return;
    QWidget* box = window->MusicBox.childHost();
    const bool toLastAudition = state.range(0) != 0;
    for (auto _ : state) {
        device()->reset();
        const Clock::time_point start = Clock::now();
        sendMouse(box, QEvent::MouseButtonPress, cellCentre(PressColumn, PressRow), Qt::LeftButton,
                  Qt::LeftButton);
        const Clock::time_point noteOn =
            toLastAudition ? device()->lastNoteOn : device()->firstNoteOn;
        if (device()->noteOns != score::TrackCount) {
            state.SkipWithError("the press did not sound the pressed note and the audition");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(noteOn - start).count());
        // A right release ends the gesture and silences it without writing the
        // note, so no full redraw runs between two presses.
        sendMouse(box, QEvent::MouseButtonRelease, cellCentre(PressColumn, PressRow),
                  Qt::RightButton, Qt::NoButton);
    }
    state.SetLabel(toLastAudition ? "to the last audition note-on" : "to the pressed note-on");
}
BENCHMARK(BM_PressToNoteOn)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Each move lands in a column the last move did not: the bar alternates
// between a short and a view-wide length.
void BM_DragMoveToNewColumn(benchmark::State& state) {
    auto window = loadWideWindow();
    if (!hasExpectedView(*window, state)) return;
    QWidget* box = window->MusicBox.childHost();
    sendMouse(box, QEvent::MouseButtonPress, cellCentre(PressColumn, PressRow), Qt::LeftButton,
              Qt::LeftButton);
    const int columns[] = {PressColumn + 3, ViewColumns - 1};
    int move = 0;
    for (auto _ : state) {
        sendMouse(box, QEvent::MouseMove, cellCentre(columns[move++ & 1], PressRow), Qt::NoButton,
                  Qt::LeftButton);
    }
    benchmark::DoNotOptimize(window->DragColumn);
    sendMouse(box, QEvent::MouseButtonRelease, cellCentre(PressColumn, PressRow), Qt::LeftButton,
              Qt::NoButton);
}
BENCHMARK(BM_DragMoveToNewColumn)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
