#pragma once
// What the benchmarks on the real main window share: the application, the
// window loaded as start-up loads it (without the splash's pause), and the
// wide view most of them measure.

#include <benchmark/benchmark.h>

#include <memory>

#include "app/Form1.h"
#include "platform/midiout/MidiOut.h"

namespace benchsupport {

// The wide window's view: 154 columns, (1920 - 70) / 12; 60 rows, (1010 - 40)
// / 16.
constexpr int WideWidth = 1920;
constexpr int WideHeight = 1010;
constexpr int ViewColumns = 154;
constexpr int ViewRows = 60;
// The wide view's top row.
constexpr int FirstShownRow = 30;

// Makes the application (offscreen unless QT_QPA_PLATFORM says otherwise) on
// the first call, and with a device puts it in place of the system's mapper
// before; later calls change nothing.
void ensureApplication(const std::shared_ptr<midiout::Device>& mapper = {});

// Constructs the main window and runs its loading steps and first layout at
// the given client size. The application must exist.
std::unique_ptr<app::Form1> loadMainWindow(int width, int height);

// The window at 1920 x 1010 with every optional toolbar closed, showing rows
// from FirstShownRow.
std::unique_ptr<app::Form1> loadWideWindow();

// False, and the benchmark skipped with an error, when the layout did not give
// the wide window its 154 x 60 view.
bool hasExpectedView(const app::Form1& window, benchmark::State& state);

// The process's peak resident memory: reset to what is resident now, and read
// back in megabytes (Linux's high-water mark).
void resetPeakResident();
double peakResidentMegabytes();

// Every cell of every track used: each track's notes start every few columns
// (a different rhythm per track) and are held in between, on rows in view.
void fillDenseScore(app::Form1& window);

}  // namespace benchsupport
