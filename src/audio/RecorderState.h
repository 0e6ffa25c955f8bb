#pragma once
// The WAV recorder's and the media player's state.

#include <string>

namespace audio {

struct RecorderState {
    RecorderState() = default;
    ~RecorderState();
    RecorderState(const RecorderState&) = delete;
    RecorderState& operator=(const RecorderState&) = delete;

    bool Recording = false;
    std::string TempWavFile;
    std::string ChosenFile;
};

}  // namespace audio
