// Drawing costs of a large score view: 154 columns by 60 rows of cells, the
// biggest box a wide screen gives, redrawn on every scroll step.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/surface/Surface.h"

namespace {

constexpr int columns = 154;
constexpr int rows = 60;
constexpr int width = columns * 12 + 1;  // 1849
constexpr int height = rows * 12 + 1;    // 733
constexpr std::uint32_t overlayBlend = 0x00640000;

struct Note {
    int column;
    int row;
    surface::OleColour colour;
};

// 9000 one-cell notes spread over the view by a fixed linear congruential
// sequence, so every run draws the same picture.
std::vector<Note> scatteredNotes() {
    std::vector<Note> notes;
    std::uint32_t state = 12345;
    auto next = [&state](std::uint32_t range) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % range);
    };
    for (int i = 0; i < 9000; ++i) {
        notes.push_back({next(columns), next(rows), surface::rgb(next(256), next(256), 255)});
    }
    return notes;
}

void drawScore(surface::Surface& box, const std::vector<Note>& notes) {
    box.clear();
    for (int v = 1; v < rows; v += 2) box.filledBox(0, v * 12, width - 1, v * 12 + 11, 0xE0E0E0);
    for (int x = 0; x <= width - 1; x += 48) box.line(x, 0, x, height, 0xFFCC44);
    for (const Note& note : notes) {
        const int x0 = note.column * 12, y = note.row * 12;
        box.filledBox(x0 + 2, y + 4, x0 + 11, y + 7, note.colour);
        box.setFillStyle(surface::FillStyle::Solid);
        box.setFillColour(note.colour);
        box.circle(x0 + 5, y + 5, 5, 0x000000);
    }
    box.setFillStyle(surface::FillStyle::Transparent);
}

void BM_RedrawNineThousandNotes(benchmark::State& state) {
    surface::Surface box(width, height, 0xFFFFFF);
    const std::vector<Note> notes = scatteredNotes();
    for (auto _ : state) {
        drawScore(box, notes);
        benchmark::DoNotOptimize(box.bits());
    }
}
BENCHMARK(BM_RedrawNineThousandNotes)->Unit(benchmark::kMillisecond);

void BM_AlphaBlendWholeBox(benchmark::State& state) {
    surface::Surface box(width, height, 0xFFFFFF);
    drawScore(box, scatteredNotes());
    const surface::Surface blueBox(width, height, 0xFF0000);
    for (auto _ : state) {
        surface::alphaBlend(box, 0, 0, width, height, blueBox, 0, 0, width, height, overlayBlend);
        benchmark::DoNotOptimize(box.bits());
    }
}
BENCHMARK(BM_AlphaBlendWholeBox)->Unit(benchmark::kMillisecond);

void BM_SaveAndRestoreWholeBox(benchmark::State& state) {
    surface::Surface box(width, height, 0xFFFFFF);
    surface::Surface swapScreen(width, height, 0xFFFFFF);
    drawScore(box, scatteredNotes());
    for (auto _ : state) {
        surface::bitBlt(swapScreen, 0, 0, width, height, box, 0, 0);
        surface::bitBlt(box, 0, 0, width, height, swapScreen, 0, 0);
        benchmark::DoNotOptimize(box.bits());
    }
}
BENCHMARK(BM_SaveAndRestoreWholeBox)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
