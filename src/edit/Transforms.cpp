#include "edit/Transforms.h"

#include <array>

namespace edit {

namespace {

constexpr int LastColumn = score::LastColumn;
constexpr int RowCount = score::RowCount;

// A used cell's pitch row and whether it is held; nothing for an empty cell or
// a value outside the coding.
struct NoteCell {
    int row = 0;
    bool held = false;
};

std::optional<NoteCell> noteCell(std::int16_t cell) {
    if (!score::isUsed(cell)) return std::nullopt;
    const bool held = score::isHeld(cell);
    const int row = held ? cell - score::HeldOffset : cell;
    if (row >= RowCount) return std::nullopt;
    return NoteCell{row, held};
}

std::int16_t cellOf(NoteCell note) {
    return static_cast<std::int16_t>(note.held ? score::HeldOffset + note.row : note.row);
}

// What follows the range no longer continues its notes. The range's own first
// column is left alone: a held cell there stays held, so a transform undone
// gives back exactly the cells it changed (playback and export end each note
// with the key that started it, whatever row its held cells show).
void seamAfter(score::Grid& notes, ColumnRange range, const score::HiddenTracks& skipped) {
    if (range.last < LastColumn) restartHeldNotes(notes, range.last + 1, skipped);
}

template <typename Change>
void changeRows(score::Grid& notes, ColumnRange range, const score::HiddenTracks& skipped,
                Change change) {
    for (int track = 0; track < score::TrackCount; ++track) {
        if (skipped[track]) continue;
        for (int column = range.first; column <= range.last; ++column) {
            std::int16_t& cell = notes[track][column];
            if (auto note = noteCell(cell)) {
                note->row = change(note->row);
                cell = cellOf(*note);
            }
        }
    }
    seamAfter(notes, range, skipped);
}

}  // namespace

void invertColumns(score::Grid& notes, ColumnRange range, const score::HiddenTracks& skipped) {
    changeRows(notes, range, skipped, [](int row) { return RowCount - 1 - row; });
}

void transposeColumns(score::Grid& notes, ColumnRange range, int rowStep,
                      const score::HiddenTracks& skipped) {
    const int step = ((rowStep % RowCount) + RowCount) % RowCount;
    changeRows(notes, range, skipped, [step](int row) { return (row + step) % RowCount; });
}

void reverseColumns(score::Grid& notes, score::Grid& instruments, ColumnRange range,
                    const score::HiddenTracks& skipped) {
    std::array<std::int16_t, score::ColumnCount> workNotes{};
    std::array<std::int16_t, score::ColumnCount> workInstruments{};
    for (int track = 0; track < score::TrackCount; ++track) {
        if (skipped[track]) continue;
        score::TrackRow& cells = notes[track];
        score::TrackRow& cellInstruments = instruments[track];
        // Scanning right to left, a cell is held in the reversed passage when
        // the cell to its right belongs to the same note: the last cell of
        // each note becomes its start.
        bool rightIsHeld = false;
        for (int column = range.last; column >= range.first; --column) {
            const std::int16_t cell = cells[column];
            workInstruments[column] = cellInstruments[column];
            if (auto note = noteCell(cell)) {
                note->held = rightIsHeld;
                workNotes[column] = cellOf(*note);
            } else {
                workNotes[column] = cell;
            }
            rightIsHeld = score::isHeld(cell);
        }
        for (int column = range.first; column <= range.last; ++column) {
            const int from = range.first + range.last - column;
            cells[column] = workNotes[from];
            cellInstruments[column] = workInstruments[from];
        }
    }
    seamAfter(notes, range, skipped);
}

}  // namespace edit
