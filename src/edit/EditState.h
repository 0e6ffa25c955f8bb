#pragma once
// The selection, the start/insertion column, the edit mode, the current track
// and the clipboard.

#include <cstdint>

#include "score/ScoreGrids.h"

namespace edit {

enum EditModes : std::int16_t { DrawMode = 0, InsertionMode = 1, SelectMode = 2 };

struct EditState {
    std::int16_t SelStart = 0;
    std::int16_t SelEnd = 0;
    std::int16_t CursorColumn = 0;
    std::int16_t EditMode = 0;
    std::int16_t CurrentTrack = 0;

    score::Grid ClipNotes{};
    score::Grid ClipInstruments{};
    std::int16_t ClipLength = 0;
};

}  // namespace edit
