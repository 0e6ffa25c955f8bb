#pragma once
// Plays a WAV file (any file libsndfile reads) to the default PulseAudio
// output. The file is read a little ahead of the play position (see
// WaveReadAhead); the audio thread takes frames from it and moves the play
// position, which status reads from any thread. The stream keeps a file's
// buffer, so that a busy machine never breaks the sound up.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace midiout {
class PulseOutput;
struct RenderClock;
}  // namespace midiout

namespace media {

class WaveReadAhead;

class WavePlayer {
public:
    // nullptr with a reason when the file cannot be read.
    static std::unique_ptr<WavePlayer> open(const std::string& path, std::string& error);
    ~WavePlayer();
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    // Plays from the position, or from the start once the end was reached.
    // A file whose sound server goes away, or is not there to connect to, has
    // reached its end.
    bool play(std::string& error);
    // Silent at once; the position stays at the last frame heard.
    void stop();
    bool isPlaying() const;
    std::int64_t lengthFrames() const { return frameCount_; }
    // The frame being heard.
    std::int64_t positionFrames() const;
    // What the sound server keeps in the stream's buffer, in frames; 0 before
    // the first play.
    int bufferFrames() const;
    int sampleRate() const { return sampleRate_; }
    // Bytes per frame of the file's own coding, for the bytes time format.
    int blockAlign() const { return blockAlign_; }

private:
    WavePlayer() = default;
    bool render(float* interleaved, int frames, const midiout::RenderClock& clock);
    void endUnheard();

    std::unique_ptr<WaveReadAhead> source_;
    std::int64_t frameCount_ = 0;
    int sampleRate_ = 0;
    int blockAlign_ = 0;
    std::atomic<std::int64_t> position_{0};      // frames taken from the file
    std::atomic<std::int64_t> queuedFrames_{0};  // of those, not yet heard
    std::int64_t dataEndFrame_ = 0;  // the audio thread's: the stream frame after the last taken
    std::atomic<bool> playing_{false};
    std::unique_ptr<midiout::PulseOutput> output_;
};

}  // namespace media
