#pragma once
// The real main window for tests that look at the score: chosen toolbars open,
// every track drawn in a colour of its own, notes placed straight into the
// score, and MusicBox's pixels read back.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "support/app/MainWindowFixture.h"

namespace testsupport {

using Colour = std::uint32_t;  // &H00BBGGRR

constexpr Colour White = 0xFFFFFF;
constexpr Colour Black = 0x000000;
constexpr Colour Blue = 0xFF0000;

class ScoreWindowTest : public MainWindowTest {
protected:
    // Hides every optional toolbar but these, shows these in this order, and
    // lays the window out again.
    void showOnlyToolbars(std::initializer_list<forms::PictureBox*> shown);
    // Distinct colours for every track, current and not, so a pixel tells
    // which track drew it.
    void useDistinctTrackColours();
    static Colour otherColour(int track) { return 0x101000 + track * 0x10; }
    static Colour currentColour(int track) { return 0x002020 + track * 0x100000; }

    // Moves the view as the scroll bars would leave it and fills the side bar,
    // without redrawing the score.
    void moveView(int firstColumn, int firstRow);
    void clearNotes();
    // A note on the track from column `first` held through `last`, with the
    // instrument in each of its cells.
    void placeNote(int track, int row, int first, int last, int instrument = 0);

    Colour pixel(int x, int y) { return form().MusicBox.surface().pixel(x, y); }
    int boxWidth() { return form().MusicBox.scaleWidth(); }
    int boxHeight() { return form().MusicBox.scaleHeight(); }
    std::uint64_t boxRevision() { return form().MusicBox.surface().revision(); }
    // Every pixel of the score box, row by row.
    std::vector<Colour> snapshot();
};

}  // namespace testsupport
