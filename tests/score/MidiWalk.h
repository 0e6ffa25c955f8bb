#pragma once
// A strict reader of our own MIDI files for structural checks: chunk lengths
// that add up, a status byte on every event, data bytes below 0x80, and every
// note on ended by a note off on its channel and key within its track.

#include <cstdint>
#include <string>
#include <vector>

namespace scoretest {

struct RawEvent {
    long tick = 0;
    std::uint8_t status = 0;
    std::vector<std::uint8_t> data;
};

struct WalkedFile {
    std::string error;  // empty when the file is sound
    std::vector<std::vector<RawEvent>> tracks;
};

WalkedFile walkMidiFile(const std::vector<std::uint8_t>& bytes);

// Empty when every note on in every track has its note off on the same channel
// and key, and no note off comes without a note on; else what is wrong.
std::string checkNotePairs(const WalkedFile& file);

}  // namespace scoretest
