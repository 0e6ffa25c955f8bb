#pragma once
// A stereo stream to the default PulseAudio output, filled from a render
// function on PulseAudio's own thread.
//
// Each kind of sound asks for the buffer it needs. Live notes want little
// latency: the stream keeps a few milliseconds, its thread asks for a
// real-time priority, and where the sound still breaks up (no priority to be
// had on a busy machine) each underrun grows the buffer, up to a bound. Files
// want sound that holds whatever the machine does: a quarter of a second.
// (An underrun while the stream carries only silence is heard by no one and
// grows nothing.)
//
// Left to itself the server puts about half of a stream's latency in the
// sink's buffer and asks for more only once a whole period has been heard, so
// a render thread held up for a few milliseconds already comes too late. The
// live stream therefore keeps the sink's part to one period, asked for as soon
// as it is heard, and the rest queued in the stream, where a late render can
// still catch up: with the same latency it rides out a stall about twice as
// long.
//
// PipeWire's stand-in for the server runs each stream in a graph that wakes
// once a cycle, and where a machine holds that graph up for longer than a
// cycle it plays a cycle of silence for the stream without a word: there the
// live stream watches its own requests for the cycles lost, and counts and
// grows on them as on an underrun. It grows the graph's cycle, which only an
// adjusted latency can: that server then splits it as PulseAudio does.
//
// A low-latency stream wakes the process hundreds of times a second, which
// costs a steady one to two percent of a core even when it carries silence. So
// after a stretch in which the render function has had nothing to play the
// stream is paused (corked), and the next wake() resumes it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/midiout/LostCycleWatch.h"

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

namespace midiout {

// What a stream asks of the server, in frames.
struct StreamBuffer {
    int periodFrames = 0;      // rendered per request
    int latencyFrames = 0;     // the whole latency kept, our buffer and the sink's
    int maxLatencyFrames = 0;  // what underruns may grow it to
    bool realtimeThread = false;
    // The rest of the latency queued in the stream; otherwise the latency is
    // adjusted: the server gives the sink what the queue holds beyond two
    // requests, and keeps that queue.
    bool sinkKeepsOnePeriod = false;
};

// What the server granted a stream, in frames: not always what it was asked
// for (PipeWire's server, for one, keeps requests of at least about 5 ms).
struct GrantedBuffer {
    int queuedFrames = 0;   // kept in the stream's own buffer
    int requestFrames = 0;  // asked for per request, at least
};

// The whole latency a stream keeps with what it was granted, and what one
// request asks for.
struct KeptLatency {
    int latencyFrames = 0;
    int periodFrames = 0;
};
KeptLatency keptLatency(const StreamBuffer& asked, const GrantedBuffer& granted);

// The whole latency to ask for after one more dropout, within the bound:
// where the sink keeps one request, twice the current one; where the latency
// is adjusted, one that doubles the sink's part of what is kept (on PipeWire's
// server, the graph's cycle).
int grownLatencyFrames(const StreamBuffer& buffer, int currentFrames, const KeptLatency& kept);

// For live notes: 64 frames (1.45 ms at 44.1 kHz) per request, seven of them
// kept (one in the sink), growing to about 50 ms where the sound breaks up.
StreamBuffer liveBuffer(int sampleRate);
// For files: a quarter second kept, filled 50 ms at a time.
StreamBuffer fileBuffer(int sampleRate);

// Where the stream stands when the render function is called.
struct RenderClock {
    std::int64_t nowMicros = 0;      // the monotonic clock
    std::int64_t writtenFrames = 0;  // handed to the server before this call
    std::int64_t playedFrames = -1;  // heard so far; -1 while the server cannot tell
    // False where the server's word on what is heard wanders (PipeWire's
    // server: by several milliseconds within seconds).
    bool playedSteady = true;
    int bufferFrames = 0;  // the latency the server keeps now, as granted
    int periodFrames = 0;  // what one request asks for, as a rule, as granted
    // Where the requests stand on another line from this one on: the server
    // lost a cycle, and its sound moved with them; or its graph changed its
    // cycle, and reads another way ahead of the same sound.
    LostCycleWatch::Verdict requestLine = LostCycleWatch::Verdict::None;
};

// The monotonic clock the render clock and message stamps read, in
// microseconds.
std::int64_t monotonicMicros();

class PulseOutput {
public:
    // Fills frames of interleaved stereo float audio and tells whether there
    // may be anything to hear in them. Runs on the audio thread.
    using Render = std::function<bool(float* interleaved, int frames, const RenderClock& clock)>;

    // How long the render function must give nothing to hear before the stream
    // pauses, unless setSleepAfter says otherwise.
    static constexpr int SleepAfterMilliseconds = 5000;

    // Runs once on the stream's own thread when the server goes away or drops
    // the stream after it was ready; it must not destroy the output.
    using Lost = std::function<void()>;

    // Connects and starts playing; nullptr with a reason in error when the
    // server cannot be reached or refuses the stream.
    static std::unique_ptr<PulseOutput> connect(Render render, int sampleRate,
                                                const StreamBuffer& buffer, std::string& error,
                                                Lost lost = {});
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // False once the server has gone away or dropped the stream: nothing
    // renders any more, and nothing written is heard.
    bool isConnected() const { return !lost_.load(std::memory_order_acquire); }
    // Resumes a paused stream and restarts the count towards the next pause.
    // Call it after giving the render function something to play.
    void wake();
    bool isAsleep();
    // Counts from the next stretch of silence on.
    void setSleepAfter(int milliseconds);
    // The stream's current latency in microseconds, or -1 when unknown.
    long long latencyMicroseconds();
    // The whole latency the stream asks the server to keep now, in frames.
    int bufferFrames() const { return bufferFrames_.load(std::memory_order_relaxed); }
    // What the server keeps with the buffer it granted; read again whenever
    // the server changes it, the stream moves to another sink or grows.
    KeptLatency keptLatency() const {
        return {keptLatencyFrames_.load(std::memory_order_relaxed),
                keptPeriodFrames_.load(std::memory_order_relaxed)};
    }
    // The part of it the server keeps in the stream's own buffer (the rest is
    // the sink's).
    int serverBufferFrames();
    // Drops what is queued and not yet heard. No render runs meanwhile, so
    // whatever the render function stopped giving stays unheard; settle, when
    // given, runs before any further render, with the stream frame heard last
    // (-1 when the server cannot tell).
    void discardQueued(const std::function<void(std::int64_t heardFrame)>& settle = {});
    // Dropouts so far: the underruns the server reported, and where it reports
    // none for them, the cycles it lost.
    int underruns() const { return underruns_.load(std::memory_order_relaxed); }
    // True once the render thread runs at a real-time priority.
    bool renderThreadRealtime() const { return realtime_.load(std::memory_order_acquire); }
    // Waits until the render thread's priority request has been answered.
    void awaitPriorityAnswer();

private:
    PulseOutput() = default;
    bool waitUntilReady(bool (*ready)(PulseOutput&), std::string& error);
    bool openStream(std::string& error);
    bool askServerKind(std::string& error);
    void askRealtimeForRenderThread();
    void growAfterUnderrun();
    void noticeDropout();
    std::int64_t playedFrames();
    void readGrantedBuffer();
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    static void onUnderflow(pa_stream* stream, void* self);
    static void onGrantedBufferChanged(pa_stream* stream, void* self);
    void noticeLoss();

    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    Render render_;
    Lost onLost_;
    bool ready_ = false;  // guarded by the main loop's lock
    bool serverKnown_ = false;
    bool heardSteady_ = true;
    std::atomic<bool> lost_{false};
    int sampleRate_ = 0;
    StreamBuffer buffer_;
    bool timedOut_ = false;
    std::atomic<int> bufferFrames_{0};
    std::atomic<int> keptLatencyFrames_{0};
    std::atomic<int> keptPeriodFrames_{0};
    std::atomic<int> underruns_{0};
    std::atomic<bool> realtime_{false};
    // Guarded by the main loop's lock.
    long long quietFrames_ = 0;
    long long sleepAfterFrames_ = 0;
    std::int64_t writtenFrames_ = 0;
    std::int64_t silentFrames_ = 0;  // written since the last sound
    // Set for the live stream on PipeWire's server.
    std::optional<LostCycleWatch> lostCycles_;
    // Read without the lock, so that a message to a playing stream costs no
    // wait for the audio thread.
    std::atomic<bool> asleep_{false};
    std::atomic<unsigned> wakes_{0};
    unsigned wakesSeen_ = 0;  // the audio thread's
    // Asks for the render thread's priority off the caller's thread: the
    // answer may take a call over the system bus.
    std::thread priorityRequest_;
};

}  // namespace midiout
