#pragma once
// The real main window for the score view's tests: only the main toolbar open,
// an empty score, and helpers that read MusicBox's pixels and compute the
// expected ones on their own (not through the program's drawing code).

#include <cstdint>
#include <vector>

#include "support/app/MainWindowFixture.h"

namespace viewtest {

using Colour = std::uint32_t;  // &H00BBGGRR

constexpr Colour White = 0xFFFFFF;
constexpr Colour SharpBand = 0xE0E0E0;
constexpr Colour BeatLine = 0xFFCC44;
constexpr Colour Black = 0x000000;
constexpr Colour Blue = 0xFF0000;
constexpr Colour Red = 0x0000FF;

// The tint laid at 100 of 255 over a pixel, per channel with each term
// truncated: source * 100 / 255 + destination * 155 / 255.
Colour tinted(Colour source, Colour destination);

class ScoreViewTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override;

    // Hides the seven optional toolbars and lays the window out again.
    void closeOptionalToolbars();
    // Moves the view as the scroll bars would leave it, without redrawing.
    void showView(int firstColumn, int firstRow);
    void clearNotes();
    // A note on the track starting at `first` and held through `last`.
    void placeNote(int track, int row, int first, int last);

    Colour pixel(int x, int y) { return form().MusicBox.surface().pixel(x, y); }
    std::vector<Colour> snapshot();
    int boxWidth() { return form().MusicBox.scaleWidth(); }
    int boxHeight() { return form().MusicBox.scaleHeight(); }
    std::uint64_t boxRevision() { return form().MusicBox.surface().revision(); }

    // Distinct colours for every track, current and not, so a pixel tells
    // which track drew it.
    static Colour otherColour(int track) { return 0x101000 + track * 0x10; }
    static Colour currentColour(int track) { return 0x002020 + track * 0x100000; }
};

}  // namespace viewtest
