#pragma once
// The transforms of a column range, apart from the window: the pitch mirror,
// the retrograde and the semitone transpose with wrap-around. Each changes
// only the tracks not skipped, and ends with the held-note seam right after the
// range, so no note of the changed range runs on at a pitch other than its
// own. Cells outside the cell coding are left as they are.

#include "edit/ColumnEdits.h"
#include "score/ScoreGrids.h"

namespace edit {

// Every pitch row r becomes 127 - r (MIDI note n sounds as 127 - n); held
// cells stay held. Instruments stay where they are.
void invertColumns(score::Grid& notes, ColumnRange range, const score::HiddenTracks& skipped);

// The range played backwards: each note keeps its length and instrument and
// begins at its left end; held cells at the range's left edge whose note
// began before it become a note of their own.
void reverseColumns(score::Grid& notes, score::Grid& instruments, ColumnRange range,
                    const score::HiddenTracks& skipped);

// Every note moves `rowStep` pitch rows (-1 a semitone up, +1 down), wrapping
// within the 128 rows.
void transposeColumns(score::Grid& notes, ColumnRange range, int rowStep,
                      const score::HiddenTracks& skipped);

}  // namespace edit
