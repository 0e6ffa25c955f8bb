#pragma once
// The rhythm pattern tools' work on the grids, apart from the window: the
// pattern taken from the first columns of the rhythm tracks into the clipboard,
// and the clipboard's rhythm rows repeated along the score at a fixed step.
// Melody tracks are never written; hidden rhythm tracks are skipped. The
// copying itself is the clipboard's column copy and paste, limited to them.
//
// The three numbers come from text the user types, so every reading is kept
// within the range the grids can take: the tools never index past the score
// and never loop without advancing, whatever the boxes hold.

#include <cstdint>
#include <string_view>

#include "score/ScoreGrids.h"

namespace edit {

constexpr int FirstRythmTrack = score::MelodyTrackCount;
constexpr int LastRythmTrack = score::TrackCount - 1;

// A number as typed: the text's leading number rounded half to even, held
// within the signed 16-bit range instead of failing on larger values.
std::int16_t rythmNumber(std::string_view text);

// "Beats", the last column of the pattern, kept within the score (0..1000).
std::int16_t rythmBeats(std::string_view text);

// The reach of the repetition: cursor plus "Notes", the sum rounded half to
// even and held within the signed 16-bit range.
std::int16_t rythmReach(std::int16_t cursor, std::string_view notesText);

// A slider strip's value at X: X / 50 rounded half to even, with X kept within
// the strip (0..stripWidth, in the same unit as X).
std::int16_t rythmSliderValue(float x, float stripWidth);

// Empties the whole clipboard and copies columns 0..beats of the rhythm tracks
// that are not hidden into it; a held cell landing in clipboard column 0
// starts its note there. clipLength becomes beats (kept within 0..1000).
void copyRythmPattern(const score::Grid& notes, const score::Grid& instruments, int beats,
                      const score::HiddenTracks& hidden, score::Grid& clipNotes,
                      score::Grid& clipInstruments, std::int16_t& clipLength);

// Writes clipboard columns 0..clipLength of the shown rhythm tracks at
// position, dropping what falls past the score; a held cell right after the
// copy then starts a note of its own. False when the position lies past the
// score and nothing was written.
bool pasteRythmCopy(score::Grid& notes, score::Grid& instruments, const score::Grid& clipNotes,
                    const score::Grid& clipInstruments, int clipLength, int position,
                    const score::HiddenTracks& hidden);

struct RythmRepeat {
    // Positions the loop went through, copies that wrote columns or not.
    int positions = 0;
    // Where the position counter ended: the first position beyond the reach,
    // or the start when the step cannot advance.
    std::int16_t nextPosition = 0;
};

// Pastes a copy at start, start + step, start + 2 x step, ... while the
// position is at most reach. A step below 1 would never advance: nothing is
// written and the counter stays at start. Positions beyond the score are
// counted but write nothing.
RythmRepeat repeatRythmPattern(score::Grid& notes, score::Grid& instruments,
                               const score::Grid& clipNotes, const score::Grid& clipInstruments,
                               int clipLength, int start, int reach, int step,
                               const score::HiddenTracks& hidden);

}  // namespace edit
