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
    // A stream the server dropped is connected afresh; its frames count anew.
    if (output_ && !output_->isConnected()) {
        output_.reset();
        dataEndFrame_ = 0;
        queuedFrames_ = 0;
    }
    // Once the end was played the audio thread no longer reads the file.
    if (position_ >= frameCount_) {
        source_->seek(0);
        position_ = 0;
    }
    playing_ = true;
    if (!output_) {
        output_ = midiout::PulseOutput::connect(
            [this](float* interleaved, int frames, const midiout::RenderClock& clock) {
                return render(interleaved, frames, clock);
            },
            sampleRate_, midiout::fileBuffer(sampleRate_), error, [this] { endUnheard(); });
        if (!output_) {
            endUnheard();
            return false;
        }
    }
    output_->wake();
    return true;
}

void WavePlayer::stop() {
    playing_ = false;
    if (!output_) return;
    // Nothing already queued plays after the stop, and the next play goes on
    // from the last frame heard.
    output_->discardQueued([this](std::int64_t heardFrame) {
        const std::int64_t unheard =
            heardFrame < 0 ? 0 : std::max<std::int64_t>(dataEndFrame_ - heardFrame, 0);
        if (unheard > 0) {
            position_ = std::max<std::int64_t>(position_ - unheard, 0);
            source_->seek(position_);
        }
        dataEndFrame_ = std::max<std::int64_t>(heardFrame, 0);
        queuedFrames_ = 0;
    });
}

// With no server to hear it the file ends here as at its last frame, so
// whoever waits for its end sees it.
void WavePlayer::endUnheard() {
    playing_ = false;
    queuedFrames_ = 0;
    position_ = frameCount_;
}

bool WavePlayer::isPlaying() const {
    // The file's last frames are still heard after they were taken.
    return playing_ || queuedFrames_ > 0;
}

int WavePlayer::bufferFrames() const {
    return output_ ? output_->serverBufferFrames() : 0;
}

std::int64_t WavePlayer::positionFrames() const {
    return std::max<std::int64_t>(position_ - queuedFrames_, 0);
}

bool WavePlayer::render(float* interleaved, int frames, const midiout::RenderClock& clock) {
    std::fill(interleaved, interleaved + static_cast<std::ptrdiff_t>(frames) * 2, 0.0f);
    const int count = playing_ ? source_->take(interleaved, frames) : 0;
    if (count > 0) dataEndFrame_ = clock.writtenFrames + count;
    // Without the server's word on what is heard, what was taken counts.
    const std::int64_t heard = clock.playedFrames >= 0 ? clock.playedFrames : dataEndFrame_;
    queuedFrames_ = std::max<std::int64_t>(dataEndFrame_ - heard, 0);
    if (!playing_) return false;
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
