// The column operations on a dense score (all 13 x 1001 cells used): paste
// with insertion of a 500-column clipboard, and the transpose of the whole
// score. Each is measured on the grids alone and through its button's handler
// on the wide main window, where the full redraw that ends it is included.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "edit/ColumnEdits.h"
#include "edit/Transforms.h"

namespace {

constexpr int ClipColumns = 500;
constexpr int PastePosition = 200;

// The wide window holding a dense score, and a clipboard of its first 500
// columns.
std::unique_ptr<app::Form1> denseWindow(benchmark::State& state) {
    benchsupport::ensureApplication();
    auto window = benchsupport::loadWideWindow();
    if (!benchsupport::hasExpectedView(*window, state)) return nullptr;
    benchsupport::fillDenseScore(*window);
    window->SelStart = 0;
    window->SelEnd = ClipColumns - 1;
    window->CopySelection();
    window->SelStart = -1;
    window->SelEnd = -1;
    window->CursorColumn = PastePosition;
    return window;
}

void BM_PasteWithInsertionGrids(benchmark::State& state) {
    auto window = denseWindow(state);
    if (!window) return;
    const score::HiddenTracks shown{};
    for (auto _ : state) {
        edit::insertEmptyColumns(window->Notes, window->Instruments, PastePosition, ClipColumns,
                                 shown);
        edit::pasteColumns(window->Notes, window->Instruments, window->ClipNotes,
                           window->ClipInstruments, window->ClipLength, PastePosition, shown);
        benchmark::DoNotOptimize(window->Notes[0].data());
    }
}
BENCHMARK(BM_PasteWithInsertionGrids)->Unit(benchmark::kMicrosecond);

void BM_TransposeWholeScoreGrids(benchmark::State& state) {
    auto window = denseWindow(state);
    if (!window) return;
    const score::HiddenTracks shown{};
    int step = -1;
    for (auto _ : state) {
        edit::transposeColumns(window->Notes, {0, score::LastColumn}, step, shown);
        step = -step;
        benchmark::DoNotOptimize(window->Notes[0].data());
    }
}
BENCHMARK(BM_TransposeWholeScoreGrids)->Unit(benchmark::kMicrosecond);

void BM_PasteIntoButton(benchmark::State& state) {
    auto window = denseWindow(state);
    if (!window) return;
    for (auto _ : state) window->PasteIntoBut_Click();
}
BENCHMARK(BM_PasteIntoButton)->Unit(benchmark::kMicrosecond);

void BM_TransposeButton(benchmark::State& state) {
    auto window = denseWindow(state);
    if (!window) return;
    int index = 1;
    for (auto _ : state) {
        window->TransposeBut_Click(index);
        index = 1 - index;
    }
}
BENCHMARK(BM_TransposeButton)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
