#pragma once
// The MIDI output device and what the live notes send through it.

#include <array>
#include <cstdint>

#include "score/ScoreGrids.h"

namespace midi {

struct DeviceState {
    std::int16_t NoteChannel = 0;
    std::array<bool, score::TrackCount> IsDrumTrack{};
    std::array<std::int16_t, score::TrackCount> DrumKey{};
    std::int16_t PreviewVelocity = 0;
    std::int16_t NoteKey = 0;
    std::int16_t MessageChannel = 0;
    std::int32_t MidiDeviceId = 0;
    std::uint32_t MidiOutHandle = 0;
    std::int32_t MidiResult = 0;
    std::int32_t MidiDeviceCount = 0;
    // The clock reading at which the current timed wait began; the preview note
    // and the playback loop share it.
    std::int64_t StepTick = 0;
};

}  // namespace midi
