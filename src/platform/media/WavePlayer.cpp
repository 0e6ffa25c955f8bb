#include "platform/media/WavePlayer.h"

#include <sndfile.h>

#include <algorithm>

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
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = sf_strerror(nullptr);
        return nullptr;
    }
    std::unique_ptr<WavePlayer> player(new WavePlayer);
    const int channels = std::max(1, info.channels);
    std::vector<float> samples(static_cast<std::size_t>(info.frames) *
                               static_cast<std::size_t>(channels));
    const sf_count_t read = sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    if (info.samplerate <= 0 || read < 0) {
        error = "the file holds no audio";
        return nullptr;
    }
    player->frameCount_ = read;
    player->sampleRate_ = info.samplerate;
    player->blockAlign_ = channels * bytesPerSample(info.format);
    // Mono goes to both sides; more than two channels keep their first two.
    player->stereo_.resize(static_cast<std::size_t>(read) * 2);
    for (sf_count_t frame = 0; frame < read; ++frame) {
        const float* in = &samples[static_cast<std::size_t>(frame * channels)];
        player->stereo_[static_cast<std::size_t>(frame * 2)] = in[0];
        player->stereo_[static_cast<std::size_t>(frame * 2 + 1)] = channels > 1 ? in[1] : in[0];
    }
    return player;
}

WavePlayer::~WavePlayer() {
    // The audio thread ends before the samples it reads go away.
    output_.reset();
}

bool WavePlayer::play(std::string& error) {
    if (position_ >= frameCount_) position_ = 0;
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
    const std::int64_t from = position_;
    const std::int64_t count = std::min<std::int64_t>(frames, frameCount_ - from);
    if (count > 0) {
        std::copy_n(stereo_.begin() + static_cast<std::ptrdiff_t>(from * 2), count * 2,
                    interleaved);
        position_ = from + count;
    }
    if (position_ >= frameCount_) playing_ = false;
    return count > 0;
}

}  // namespace media
