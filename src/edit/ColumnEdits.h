#pragma once
// The editor's column operations on the score grids, apart from the window:
// copy into the clipboard, cut with the gap closed, paste over, insertion of
// empty columns, and the held-note seam that each applies at the edge of the
// block it wrote or moved. Tracks marked in `skipped` (the hidden ones) are
// neither read nor written.

#include <cstdint>
#include <optional>

#include "score/ScoreGrids.h"

namespace edit {

// Score columns first..last, both included, within 0..1000.
struct ColumnRange {
    int first = 0;
    int last = 0;
    int count() const { return last - first + 1; }
};

// The selected columns, only for a finished selection within the score
// (0 <= selStart <= selEnd <= 1000). Nothing otherwise: no selection, or one
// whose drag has not set its end yet, which no command may act on.
std::optional<ColumnRange> selectedRange(std::int16_t selStart, std::int16_t selEnd);

// The held-note seam: on every track not skipped, a held cell at column
// becomes a note start on the same pitch row, its instrument kept. A column
// outside the score changes nothing.
void restartHeldNotes(score::Grid& notes, int column, const score::HiddenTracks& skipped);

// Replaces the whole clipboard with the range's columns (clipboard column 0 is
// the range's first), empty cells on skipped tracks; the copy starts every note
// afresh in its first column. clipLength becomes the last clipboard column.
void copyColumns(const score::Grid& notes, const score::Grid& instruments, ColumnRange range,
                 const score::HiddenTracks& skipped, score::Grid& clipNotes,
                 score::Grid& clipInstruments, std::int16_t& clipLength);

// Takes the range out of the tracks not skipped: the columns after it move
// left to close the gap, the freed tail at the end of the score is emptied,
// and a held cell arriving at the range's first column starts a note.
void removeColumns(score::Grid& notes, score::Grid& instruments, ColumnRange range,
                   const score::HiddenTracks& skipped);

// Writes clipboard columns 0..clipLength over the score from column `at`,
// empty clipboard cells included; columns that would land past the score are
// dropped, and a held cell right after the block starts a note. A position
// before the score counts as column 0; one past it writes nothing. Returns
// the last column written.
std::optional<int> pasteColumns(score::Grid& notes, score::Grid& instruments,
                                const score::Grid& clipNotes, const score::Grid& clipInstruments,
                                int clipLength, int at, const score::HiddenTracks& skipped);

// Opens `count` empty columns at `at` on the tracks not skipped: what follows
// moves right and the last columns of the score are lost; a note held across
// `at` is split, its part after the gap a note of its own. A count below 1 or
// a position past the score changes nothing; a position before the score
// counts as column 0.
void insertEmptyColumns(score::Grid& notes, score::Grid& instruments, int at, int count,
                        const score::HiddenTracks& skipped);

}  // namespace edit
