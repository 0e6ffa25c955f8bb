#include "edit/ColumnEdits.h"

#include <algorithm>

#include "edit/MouseGridEdits.h"

namespace edit {

namespace {

constexpr int LastColumn = score::LastColumn;

void clearCell(score::Grid& notes, score::Grid& instruments, int track, int column) {
    notes[track][column] = score::EmptyCell;
    instruments[track][column] = 0;
}

}  // namespace

std::optional<ColumnRange> selectedRange(std::int16_t selStart, std::int16_t selEnd) {
    if (selStart < 0 || selEnd < selStart || selEnd > LastColumn) return std::nullopt;
    return ColumnRange{selStart, selEnd};
}

void restartHeldNotes(score::Grid& notes, int column, const score::HiddenTracks& skipped) {
    for (int track = 0; track < score::TrackCount; ++track) {
        if (!skipped[track]) restartHeldNoteAt(notes, track, column);
    }
}

void copyColumns(const score::Grid& notes, const score::Grid& instruments, ColumnRange range,
                 const score::HiddenTracks& skipped, score::Grid& clipNotes,
                 score::Grid& clipInstruments, std::int16_t& clipLength) {
    clipLength = static_cast<std::int16_t>(range.last - range.first);
    for (auto& track : clipNotes) track.fill(score::EmptyCell);
    for (auto& track : clipInstruments) track.fill(0);
    for (int track = 0; track < score::TrackCount; ++track) {
        if (skipped[track]) continue;
        std::copy(notes[track].begin() + range.first, notes[track].begin() + range.last + 1,
                  clipNotes[track].begin());
        std::copy(instruments[track].begin() + range.first,
                  instruments[track].begin() + range.last + 1, clipInstruments[track].begin());
    }
    // Hidden tracks hold empty cells, so every track can take the seam.
    restartHeldNotes(clipNotes, 0, score::HiddenTracks{});
}

void removeColumns(score::Grid& notes, score::Grid& instruments, ColumnRange range,
                   const score::HiddenTracks& skipped) {
    const int count = range.count();
    for (int track = 0; track < score::TrackCount; ++track) {
        if (skipped[track]) continue;
        for (score::Grid* grid : {&notes, &instruments}) {
            auto& cells = (*grid)[track];
            std::copy(cells.begin() + range.last + 1, cells.end(), cells.begin() + range.first);
        }
        for (int column = LastColumn + 1 - count; column <= LastColumn; ++column) {
            clearCell(notes, instruments, track, column);
        }
    }
    restartHeldNotes(notes, range.first, skipped);
}

std::optional<int> pasteColumns(score::Grid& notes, score::Grid& instruments,
                                const score::Grid& clipNotes, const score::Grid& clipInstruments,
                                int clipLength, int at, const score::HiddenTracks& skipped) {
    at = std::max(at, 0);
    if (at > LastColumn) return std::nullopt;
    const int length = std::clamp(clipLength, 0, LastColumn);
    const int end = std::min(at + length, LastColumn);
    for (int track = 0; track < score::TrackCount; ++track) {
        if (skipped[track]) continue;
        const int columns = end - at + 1;
        std::copy_n(clipNotes[track].begin(), columns, notes[track].begin() + at);
        std::copy_n(clipInstruments[track].begin(), columns, instruments[track].begin() + at);
    }
    if (end < LastColumn) restartHeldNotes(notes, end + 1, skipped);
    return end;
}

void insertEmptyColumns(score::Grid& notes, score::Grid& instruments, int at, int count,
                        const score::HiddenTracks& skipped) {
    at = std::max(at, 0);
    if (count < 1 || at > LastColumn) return;
    const int gapEnd = std::min(at + count - 1, LastColumn);
    for (int track = 0; track < score::TrackCount; ++track) {
        if (skipped[track]) continue;
        if (at + count <= LastColumn) {
            for (score::Grid* grid : {&notes, &instruments}) {
                auto& cells = (*grid)[track];
                std::copy_backward(cells.begin() + at, cells.end() - count, cells.end());
            }
        }
        for (int column = at; column <= gapEnd; ++column) {
            clearCell(notes, instruments, track, column);
        }
    }
    if (at + count <= LastColumn) restartHeldNotes(notes, at + count, skipped);
}

}  // namespace edit
