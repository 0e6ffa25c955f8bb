#pragma once
// The changes mouse editing makes to the score grids, apart from the window:
// where a pointer position lands, the note written at the end of a drag with
// the held-note seam after it, and the erase of a whole note from any of its
// cells.

#include <cstdint>

#include "score/ScoreGrids.h"

namespace edit {

// The view column or row under a pointer coordinate in the score box's pixels:
// the coordinate rounded to the nearest pixel (halves to even), then divided by
// the cell size with truncation toward zero.
std::int16_t viewCellAt(float pixel);

// A note drawn on one track: its start on firstColumn, held through lastColumn.
struct DrawnNote {
    int track = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    int row = 0;
    std::int16_t instrument = 0;
};

// Writes the note over whatever the cells held, then lets a held cell right
// after it start a note of its own (the tail of a note the new one cut into).
// A last column before the first gives a one-column note; columns past the
// score are dropped. A note on a row or track the score does not have, or
// starting outside the score, writes nothing; the result says whether it was
// written.
bool writeDrawnNote(score::Grid& notes, score::Grid& instruments, const DrawnNote& note);

// The held-note seam on one track: a held cell at column becomes a note start
// on the same pitch row, its instrument kept. Any other cell stays as it is.
void restartHeldNoteAt(score::Grid& notes, int track, int column);

// The columns an erase cleared, both ends included.
struct ErasedNote {
    bool erased = false;
    int firstColumn = 0;
    int lastColumn = 0;
};

// Clears the note that covers column on track: from its start (walking left
// over held cells; a held run with no start is cleared from column 0) through
// its last held cell (column 1000 at the latest). The first cell after the
// note stays as it is. An empty cell erases nothing.
ErasedNote eraseNoteAt(score::Grid& notes, score::Grid& instruments, int track, int column);

}  // namespace edit
