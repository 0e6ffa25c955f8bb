#include "edit/MouseGridEdits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace edit {

namespace {

constexpr int CellSize = 12;

bool isTrack(int track) {
    return track >= 0 && track < score::TrackCount;
}

bool isColumn(int column) {
    return column >= 0 && column <= score::LastColumn;
}

void clearCell(score::Grid& notes, score::Grid& instruments, int track, int column) {
    notes[track][column] = score::EmptyCell;
    instruments[track][column] = 0;
}

}  // namespace

std::int16_t viewCellAt(float pixel) {
    // Ties to even in the default rounding mode.
    const double rounded = std::nearbyint(static_cast<double>(pixel));
    if (!std::isfinite(rounded)) return 0;
    const double limit = std::numeric_limits<std::int16_t>::max();
    const double cell = std::trunc(std::clamp(rounded, -limit * CellSize, limit * CellSize) /
                                   static_cast<double>(CellSize));
    return static_cast<std::int16_t>(cell);
}

bool writeDrawnNote(score::Grid& notes, score::Grid& instruments, const DrawnNote& note) {
    if (!isTrack(note.track) || !isColumn(note.firstColumn)) return false;
    if (note.row < 0 || note.row >= score::RowCount) return false;
    const int last = std::clamp(note.lastColumn, note.firstColumn, score::LastColumn);
    score::TrackRow& cells = notes[note.track];
    score::TrackRow& cellInstruments = instruments[note.track];
    cells[note.firstColumn] = static_cast<std::int16_t>(note.row);
    cellInstruments[note.firstColumn] = note.instrument;
    for (int column = note.firstColumn + 1; column <= last; ++column) {
        cells[column] = static_cast<std::int16_t>(score::HeldOffset + note.row);
        cellInstruments[column] = note.instrument;
    }
    if (last < score::LastColumn) restartHeldNoteAt(notes, note.track, last + 1);
    return true;
}

void restartHeldNoteAt(score::Grid& notes, int track, int column) {
    if (!isTrack(track) || !isColumn(column)) return;
    std::int16_t& cell = notes[track][column];
    if (score::isHeld(cell)) cell = static_cast<std::int16_t>(cell - score::HeldOffset);
}

ErasedNote eraseNoteAt(score::Grid& notes, score::Grid& instruments, int track, int column) {
    if (!isTrack(track) || !isColumn(column)) return {};
    const score::TrackRow& cells = notes[track];
    if (!score::isUsed(cells[column])) return {};
    int first = column;
    while (first > 0 && score::isHeld(cells[first])) --first;
    clearCell(notes, instruments, track, first);
    int last = first;
    while (last < score::LastColumn && score::isHeld(cells[last + 1])) {
        ++last;
        clearCell(notes, instruments, track, last);
    }
    return {true, first, last};
}

}  // namespace edit
