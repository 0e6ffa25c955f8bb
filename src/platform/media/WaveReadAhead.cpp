#include "platform/media/WaveReadAhead.h"

#include <sndfile.h>

#include <algorithm>

namespace media {

std::unique_ptr<WaveReadAhead> WaveReadAhead::open(const std::string& path, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = sf_strerror(nullptr);
        return nullptr;
    }
    if (info.samplerate <= 0 || info.channels <= 0) {
        sf_close(file);
        error = "the file holds no audio";
        return nullptr;
    }
    std::unique_ptr<WaveReadAhead> source(new WaveReadAhead);
    source->file_ = file;
    source->frames_ = info.frames;
    source->sampleRate_ = info.samplerate;
    source->channels_ = info.channels;
    source->format_ = info.format;
    source->ring_.resize(static_cast<std::size_t>(info.samplerate) * AheadSeconds * 2);
    source->reader_ = std::thread([raw = source.get()] { raw->readLoop(); });
    return source;
}

WaveReadAhead::~WaveReadAhead() {
    {
        const std::lock_guard guard(ringLock_);
        quit_ = true;
    }
    roomOrQuit_.notify_all();
    if (reader_.joinable()) reader_.join();
    sf_close(file_);
}

void WaveReadAhead::readLoop() {
    const auto chunkFrames = static_cast<std::size_t>(sampleRate_) * ChunkSeconds;
    const auto capacity = ring_.size() / 2;
    std::vector<float> chunk(chunkFrames * static_cast<std::size_t>(channels_));
    for (;;) {
        {
            std::unique_lock ring(ringLock_);
            roomOrQuit_.wait(ring, [&] {
                return quit_ || (!endOfFile_ && capacity - ringFrames_ >= chunkFrames);
            });
            if (quit_) return;
        }
        const std::lock_guard file(fileLock_);
        const sf_count_t read =
            sf_readf_float(file_, chunk.data(), static_cast<sf_count_t>(chunkFrames));
        const std::lock_guard ring(ringLock_);
        for (sf_count_t frame = 0; frame < std::max<sf_count_t>(read, 0); ++frame) {
            const float* in = &chunk[static_cast<std::size_t>(frame * channels_)];
            const std::size_t at = (ringStart_ + ringFrames_) % capacity * 2;
            ring_[at] = in[0];
            ring_[at + 1] = channels_ > 1 ? in[1] : in[0];
            ++ringFrames_;
        }
        if (read < static_cast<sf_count_t>(chunkFrames)) endOfFile_ = true;
    }
}

int WaveReadAhead::take(float* interleaved, int frames) {
    const auto capacity = ring_.size() / 2;
    std::size_t taken = 0;
    {
        const std::lock_guard guard(ringLock_);
        const std::size_t wanted =
            std::min(static_cast<std::size_t>(std::max(frames, 0)), ringFrames_);
        while (taken < wanted) {
            const std::size_t run = std::min(wanted - taken, capacity - ringStart_);
            std::copy_n(ring_.begin() + static_cast<std::ptrdiff_t>(ringStart_ * 2), run * 2,
                        interleaved + taken * 2);
            ringStart_ = (ringStart_ + run) % capacity;
            ringFrames_ -= run;
            taken += run;
        }
    }
    if (taken > 0) roomOrQuit_.notify_one();
    return static_cast<int>(taken);
}

bool WaveReadAhead::finished() {
    const std::lock_guard guard(ringLock_);
    return endOfFile_ && ringFrames_ == 0;
}

void WaveReadAhead::seek(std::int64_t frame) {
    {
        const std::lock_guard file(fileLock_);
        sf_seek(file_, std::clamp<sf_count_t>(frame, 0, frames_), SEEK_SET);
        const std::lock_guard ring(ringLock_);
        ringStart_ = 0;
        ringFrames_ = 0;
        endOfFile_ = false;
    }
    roomOrQuit_.notify_one();
}

}  // namespace media
