#include "audio/RecorderState.h"

#include "platform/media/MediaControl.h"

namespace audio {

// A recording or a file still playing when the window goes ends with it.
RecorderState::~RecorderState() {
    media::closeAllMedia();
}

}  // namespace audio
