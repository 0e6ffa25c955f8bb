#pragma once
// The MIDI output device and what the live notes send through it.

#include <array>
#include <cstdint>
#include <vector>

#include "score/ScoreGrids.h"

namespace midi {

// A live note as it went out, so that its note off names the same channel and
// key whatever happens to the track's instrument or to the view meanwhile.
struct LiveNote {
    std::int16_t track = 0;
    // The instrument set on the track before the note (sent again before the
    // note off by the column audition).
    std::int16_t instrument = 0;
    std::int16_t channel = 0;
    std::int16_t key = 0;
};

// An instrument preview's note and the tick at which its note off is due.
struct PreviewNote {
    LiveNote note;
    std::int64_t endsAt = 0;
    std::uint64_t id = 0;
};

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
    // The clock reading at which playback's current timed wait began.
    std::int64_t StepTick = 0;

    // Previews still sounding, oldest first; during playback their note offs
    // are timed by the playback loop's wait, so they never hold a step up.
    std::vector<PreviewNote> previewNotes;
    std::uint64_t lastPreviewId = 0;

    // What a press in the score box sounds until its release: the pressed
    // note on the current track and the column audition of the other tracks.
    bool PressNoteSounding = false;
    LiveNote PressNote{};
    std::array<LiveNote, score::TrackCount> AuditionNotes{};
    int AuditionNoteCount = 0;
};

}  // namespace midi
