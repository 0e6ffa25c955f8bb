#pragma once
// The WAV recorder's and the media player's state.

#include <string>

namespace audio {

struct RecorderState {
    bool Recording = false;
    std::string TempWavFile;
    std::string ChosenFile;
};

}  // namespace audio
