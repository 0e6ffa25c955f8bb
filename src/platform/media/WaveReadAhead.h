#pragma once
// A WAV file (any file libsndfile reads) read from disk a second at a time on
// a thread of its own, a few seconds ahead of the one who takes its frames as
// stereo, so a file of any length needs only that much memory and the taker
// (the audio thread) never waits for the disk.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct sf_private_tag;

namespace media {

class WaveReadAhead {
public:
    static constexpr int ChunkSeconds = 1;
    static constexpr int AheadSeconds = 4;

    // nullptr with a reason when the file cannot be read.
    static std::unique_ptr<WaveReadAhead> open(const std::string& path, std::string& error);
    ~WaveReadAhead();
    WaveReadAhead(const WaveReadAhead&) = delete;
    WaveReadAhead& operator=(const WaveReadAhead&) = delete;

    std::int64_t lengthFrames() const { return frames_; }
    int sampleRate() const { return sampleRate_; }
    int channels() const { return channels_; }
    // libsndfile's format code of the file.
    int format() const { return format_; }

    // Copies up to frames stereo frames (mono goes to both sides, more than
    // two channels keep their first two) and returns how many it had: fewer
    // when the file ends or the reader is behind.
    int take(float* interleaved, int frames);
    // True once every frame of the file has been taken.
    bool finished();
    // Takes frames from frame on (0 the file's start).
    void seek(std::int64_t frame);

private:
    WaveReadAhead() = default;
    void readLoop();

    sf_private_tag* file_ = nullptr;
    std::int64_t frames_ = 0;
    int sampleRate_ = 0;
    int channels_ = 0;
    int format_ = 0;

    // Held while the file is read and its frames put in the ring, so a rewind
    // never meets a chunk read before it.
    std::mutex fileLock_;
    // Guards the ring and the flags below; held only to copy frames.
    std::mutex ringLock_;
    std::condition_variable roomOrQuit_;
    std::vector<float> ring_;  // stereo frames
    std::size_t ringStart_ = 0;
    std::size_t ringFrames_ = 0;
    bool endOfFile_ = false;
    bool quit_ = false;
    std::thread reader_;
};

}  // namespace media
