#pragma once
// Our MIDI files as mido (a reader we did not write) reads them: it refuses a
// file whose chunks or events are malformed or whose data bytes reach 0x80.
// On top of it, a check that every note on ends on its channel and key.

#include <cstdint>
#include <string>
#include <vector>

namespace scoretest {

struct RawEvent {
    long tick = 0;
    std::uint8_t status = 0;
    std::vector<std::uint8_t> data;  // for a meta event: its type, length and content
};

struct WalkedFile {
    std::string error;  // empty when mido read the file
    std::vector<std::vector<RawEvent>> tracks;
};

WalkedFile walkMidiFile(const std::vector<std::uint8_t>& bytes);

// Empty when every note on in every track has its note off on the same channel
// and key, and no note off comes without a note on; else what is wrong.
std::string checkNotePairs(const WalkedFile& file);

}  // namespace scoretest
