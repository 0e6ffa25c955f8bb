#include "audio/RecorderState.h"

#include "platform/media/MediaControl.h"
#include "platform/system/System.h"

namespace audio {

RecorderState::RecorderState() : tempNameRandom(sys::rnd) {}

// A recording or a file still playing when the window goes ends with it.
RecorderState::~RecorderState() {
    media::closeAllMedia();
}

}  // namespace audio
