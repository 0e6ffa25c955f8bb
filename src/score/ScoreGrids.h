#pragma once
// The score: 13 tracks by 1001 sixteenth-note columns.
//
// A notes cell holds -1 when empty, v (0..127) where a note on pitch row v
// starts, and 1000 + v where that note is still held. Row 0 sounds MIDI note
// 127. The instruments grid holds each used cell's instrument number.

#include <array>
#include <cstdint>

namespace score {

constexpr int TrackCount = 13;
constexpr int MelodyTrackCount = 8;
constexpr int ColumnCount = 1001;
constexpr int LastColumn = ColumnCount - 1;
constexpr int RowCount = 128;

constexpr std::int16_t EmptyCell = -1;
constexpr std::int16_t HeldOffset = 1000;

// Instrument numbers: 0..127 General MIDI programs, 128..174 percussion sounds
// whose key is the number minus 93.
constexpr int FirstPercussionInstrument = 128;
constexpr int LastInstrument = 174;
constexpr int PercussionKeyOffset = 93;

using TrackRow = std::array<std::int16_t, ColumnCount>;
using Grid = std::array<TrackRow, TrackCount>;
using TrackInstruments = std::array<std::int16_t, TrackCount>;
// Per track: true while its "Hide this channel" box is ticked.
using HiddenTracks = std::array<bool, TrackCount>;

constexpr bool isUsed(std::int16_t cell) {
    return cell > EmptyCell;
}
constexpr bool isNoteStart(std::int16_t cell) {
    return cell >= 0 && cell < HeldOffset;
}
constexpr bool isHeld(std::int16_t cell) {
    return cell >= HeldOffset;
}

// Every notes cell empty, every instrument 0.
void clearScore(Grid& notes, Grid& instruments);

// The highest column used on any shown track; 0 when there is none.
std::int16_t findLastColumn(const Grid& notes, const HiddenTracks& hidden);

}  // namespace score
