#pragma once
// Score playback's state.

#include <cstdint>

namespace midi {

struct PlaybackState {
    bool Playing = false;
    std::int32_t StepMs = 0;
};

}  // namespace midi
