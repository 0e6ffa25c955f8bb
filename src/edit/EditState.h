#pragma once
// The selection, the start/insertion column, the edit mode, the current track,
// the mouse gesture in the score box and the clipboard.

#include <cstdint>

#include "score/ScoreGrids.h"

namespace edit {

enum EditModes : std::int16_t { DrawMode = 0, InsertionMode = 1, SelectMode = 2 };

struct EditState {
    // An empty clipboard holds empty cells, so a paste before any copy writes
    // no notes.
    EditState() {
        for (auto& track : ClipNotes) track.fill(score::EmptyCell);
    }

    std::int16_t SelStart = 0;
    std::int16_t SelEnd = 0;
    std::int16_t CursorColumn = 0;
    std::int16_t EditMode = 0;
    std::int16_t CurrentTrack = 0;

    // The mouse gesture in the score box, in view columns and rows.
    std::int16_t PressColumn = 0;
    std::int16_t PressRow = 0;
    std::int16_t AnchorColumn = 0;
    std::int16_t DragColumn = 0;
    // The unclamped column of the last move that drew; kept across gestures.
    std::int16_t LastDragColumn = 0;
    std::int16_t AuditionColumn = 0;
    bool MousePressed = false;
    // The view row of the previous move that ran to its end.
    std::int16_t LastMoveRow = 0;

    score::Grid ClipNotes{};
    score::Grid ClipInstruments{};
    std::int16_t ClipLength = 0;
};

}  // namespace edit
