#include "platform/media/WavePlayer.h"

#include <sndfile.h>

#include <algorithm>

#include "platform/media/WaveReadAhead.h"
#include "platform/midiout/PulseOutput.h"

namespace media {

namespace {

int bytesPerSample(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW:
            return 1;
        case SF_FORMAT_PCM_24:
            return 3;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT:
            return 4;
        case SF_FORMAT_DOUBLE:
            return 8;
        default:
            return 2;
    }
}

}  // namespace

std::unique_ptr<WavePlayer> WavePlayer::open(const std::string& path, std::string& error) {
    auto source = WaveReadAhead::open(path, error);
    if (!source) return nullptr;
    std::unique_ptr<WavePlayer> player(new WavePlayer);
    player->frameCount_ = source->lengthFrames();
    player->sampleRate_ = source->sampleRate();
    player->blockAlign_ = source->channels() * bytesPerSample(source->format());
    player->source_ = std::move(source);
    return player;
}

WavePlayer::~WavePlayer() {
    // The audio thread ends before the file it reads from goes away.
    output_.reset();
}

bool WavePlayer::play(std::string& error) {
    // Once the end was played the audio thread no longer reads the file.
    if (position_ >= frameCount_) {
        source_->rewind();
        position_ = 0;
    }
    playing_ = true;
    if (!output_) {
        output_ = midiout::PulseOutput::connect(
            [this](float* interleaved, int frames) { return render(interleaved, frames); },
            sampleRate_, error);
        if (!output_) {
            playing_ = false;
            return false;
        }
    }
    output_->wake();
    return true;
}

void WavePlayer::stop() {
    playing_ = false;
}

bool WavePlayer::render(float* interleaved, int frames) {
    std::fill(interleaved, interleaved + static_cast<std::ptrdiff_t>(frames) * 2, 0.0f);
    if (!playing_) return false;
    const int count = source_->take(interleaved, frames);
    position_ += count;
    // A file shorter than its header says ends where its frames do.
    if (position_ >= frameCount_ || (count < frames && source_->finished())) {
        position_ = frameCount_;
        playing_ = false;
    }
    // A reader that is behind is waited for with silence.
    return true;
}

}  // namespace media
