#pragma once
// Score playback's state: where it plays, what each track played last and what
// it left sounding, the step period and the play cursor bar.

#include <array>
#include <cstdint>

#include "score/ScoreGrids.h"

namespace midi {

// The start-up tempo of 120 gives a sixteenth note of 125 ms.
constexpr std::int32_t StartUpStepMs = 125;

// The note a track has left sounding, exactly as its note on went out, so that
// its note off matches it whatever changed in between (the track's percussion
// state, its cells, its hide box).
struct SoundingNote {
    bool sounding = false;
    std::int16_t channel = 0;
    std::int16_t key = 0;
};

struct PlaybackState {
    bool Playing = false;
    std::int16_t PlayColumn = 0;
    std::array<std::int16_t, score::TrackCount> LastCell{};
    std::array<std::int16_t, score::TrackCount> CurInstrument{};
    // 0 empty, 1 note start, 2 held: of the cell played and of LastCell.
    std::int16_t CellKind = 0;
    std::int16_t PrevCellKind = 0;
    std::int16_t TrackCounter = 0;
    std::int32_t StepMs = StartUpStepMs;
    std::int16_t PlayCursorColumn = 0;
    // A strip was saved under a bar actually drawn at PlayCursorColumn.
    bool CursorSaved = false;

    std::array<SoundingNote, score::TrackCount> soundingNotes{};
    // StepTick to the microsecond: the step deadline is kept that finely.
    std::int64_t stepStartMicros = 0;
    // A loop back to the cursor column lets the last column sound for its
    // whole step: what it left sounding ends as the next step begins.
    bool notesEndAtNextStep = false;
    // True while PlaySong's loop runs: a Play press then restarts that loop
    // rather than starting a second one inside it.
    bool playbackLoopRunning = false;
};

}  // namespace midi
