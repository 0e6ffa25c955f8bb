#pragma once
// The WAV recorder's and the media player's state.

#include <functional>
#include <string>

namespace audio {

struct RecorderState {
    RecorderState();
    ~RecorderState();
    RecorderState(const RecorderState&) = delete;
    RecorderState& operator=(const RecorderState&) = delete;

    bool Recording = false;
    std::string TempWavFile;
    std::string ChosenFile;
    // Where the numbers of temporary recording names come from: uniform in
    // [0, 1). Tests replace it.
    std::function<float()> tempNameRandom;
};

}  // namespace audio
