#pragma once
// The Standard MIDI File export: format 1, 48 ticks per quarter note, a tempo
// track and one track chunk per score track. A column is 12 ticks.

#include <cstdint>
#include <vector>

#include "score/ScoreGrids.h"

namespace score {

constexpr int TicksPerQuarter = 48;
constexpr int TicksPerColumn = 12;
constexpr int PercussionChannel = 9;

// The whole file for the score. Hidden tracks get an empty chunk; the export
// ends one column after the last column used on a shown track. Every note on
// is paired with a note off on its own channel and key. All working state is
// local, so an export never disturbs a playback in progress.
std::vector<std::uint8_t> buildMidiFile(const Grid& notes, const Grid& instruments,
                                        std::int16_t tempo, const HiddenTracks& hidden);

// Microseconds per quarter note for a tempo in beats per minute, within the
// three bytes the tempo event has.
std::uint32_t microsecondsPerQuarter(std::int16_t tempo);

}  // namespace score
