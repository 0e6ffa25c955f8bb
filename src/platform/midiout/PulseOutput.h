#pragma once
// A low-latency stereo stream to the default PulseAudio output, filled from a
// render function on PulseAudio's own thread.
//
// A low-latency stream wakes the process hundreds of times a second, which
// costs a steady one to two percent of a core even when it carries silence. So
// after a stretch in which the render function has had nothing to play the
// stream is paused (corked), and the next wake() resumes it.

#include <functional>
#include <memory>
#include <string>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

namespace midiout {

class PulseOutput {
public:
    // Fills frames of interleaved stereo float audio and tells whether there
    // may be anything to hear in them. Runs on the audio thread.
    using Render = std::function<bool(float* interleaved, int frames)>;

    // Frames rendered per request, and the whole latency the server is asked to
    // keep (our buffer and the sink's together): 128 frames is about 3 ms and
    // three of them keep a note within 10 ms of its message.
    static constexpr int PeriodFrames = 128;
    static constexpr int LatencyPeriods = 3;
    // How long the render function must give nothing to hear before the stream
    // pauses, unless setSleepAfter says otherwise.
    static constexpr int SleepAfterMilliseconds = 5000;

    // Connects and starts playing; nullptr with a reason in error when the
    // server cannot be reached or refuses the stream.
    static std::unique_ptr<PulseOutput> connect(Render render, int sampleRate, std::string& error);
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // False once the server has gone away or dropped the stream.
    bool isConnected();
    // Resumes a paused stream and restarts the count towards the next pause.
    // Call it after giving the render function something to play.
    void wake();
    bool isAsleep();
    // Counts from the next stretch of silence on.
    void setSleepAfter(int milliseconds);
    // The stream's current latency in microseconds, or -1 when unknown.
    long long latencyMicroseconds();

private:
    PulseOutput() = default;
    bool waitUntilReady(bool (*ready)(PulseOutput&), std::string& error);
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);

    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    Render render_;
    int sampleRate_ = 0;
    bool timedOut_ = false;
    // Guarded by the main loop's lock.
    long long quietFrames_ = 0;
    long long sleepAfterFrames_ = 0;
    bool asleep_ = false;
};

}  // namespace midiout
