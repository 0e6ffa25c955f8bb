#include "platform/midiout/PulseOutput.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <chrono>
#include <string_view>

#include "platform/system/RealtimePriority.h"

namespace midiout {
namespace {

constexpr int FrameBytes = 2 * sizeof(float);
// A server that neither answers nor refuses must not hang the caller.
constexpr pa_usec_t ConnectTimeout = 3 * PA_USEC_PER_SEC;

constexpr int LivePeriodFrames = 64;
constexpr int LivePeriods = 7;
constexpr int LiveMaxLatencyMs = 50;
constexpr int FileLatencyMs = 250;
constexpr int FilePeriodMs = 50;

int framesIn(int milliseconds, int sampleRate) {
    return static_cast<int>(static_cast<std::int64_t>(sampleRate) * milliseconds / 1000);
}

std::uint32_t bytesOf(int frames) {
    return static_cast<std::uint32_t>(frames * FrameBytes);
}

// What to ask the server for a whole latency of latencyFrames.
pa_buffer_attr attributesFor(const StreamBuffer& buffer, int latencyFrames) {
    const int queued =
        buffer.sinkKeepsOnePeriod ? latencyFrames - buffer.periodFrames : latencyFrames;
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = bytesOf(queued);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = bytesOf(buffer.periodFrames);
    attributes.fragsize = static_cast<std::uint32_t>(-1);
    return attributes;
}

}  // namespace

KeptLatency keptLatency(const StreamBuffer& asked, const GrantedBuffer& granted) {
    // Early requests leave the sink one request's worth beyond the stream's
    // own buffer; an adjusted latency leaves it what the queue holds beyond
    // two requests.
    const int sinkPart = asked.sinkKeepsOnePeriod
                             ? granted.requestFrames
                             : std::max(granted.queuedFrames - 2 * granted.requestFrames, 0);
    return {granted.queuedFrames + sinkPart, granted.requestFrames};
}

int grownLatencyFrames(const StreamBuffer& buffer, int currentFrames, const KeptLatency& kept) {
    // Adjusted, the sink's part of a latency L is (L - 2 requests) / 2:
    // doubling it asks for 2L less two requests.
    const int grown = buffer.sinkKeepsOnePeriod ? currentFrames * 2
                                                : 2 * kept.latencyFrames - 2 * kept.periodFrames;
    return std::clamp(grown, buffer.latencyFrames, buffer.maxLatencyFrames);
}

StreamBuffer liveBuffer(int sampleRate) {
    return {LivePeriodFrames, LivePeriodFrames * LivePeriods,
            std::max(LivePeriodFrames * LivePeriods, framesIn(LiveMaxLatencyMs, sampleRate)), true,
            true};
}

StreamBuffer fileBuffer(int sampleRate) {
    const int latency = framesIn(FileLatencyMs, sampleRate);
    return {framesIn(FilePeriodMs, sampleRate), latency, latency, false, false};
}

std::int64_t monotonicMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::unique_ptr<PulseOutput> PulseOutput::connect(Render render, int sampleRate,
                                                  const StreamBuffer& buffer, std::string& error,
                                                  Lost lost) {
    std::unique_ptr<PulseOutput> output(new PulseOutput);
    output->render_ = std::move(render);
    output->onLost_ = std::move(lost);
    output->sampleRate_ = sampleRate;
    output->buffer_ = buffer;
    output->sleepAfterFrames_ = static_cast<long long>(sampleRate) * SleepAfterMilliseconds / 1000;
    output->mainloop_ = pa_threaded_mainloop_new();
    if (!output->mainloop_) {
        error = "cannot create the PulseAudio main loop";
        return nullptr;
    }
    output->context_ =
        pa_context_new(pa_threaded_mainloop_get_api(output->mainloop_), "Midi Sorvane");
    if (!output->context_) {
        error = "cannot create a PulseAudio context";
        return nullptr;
    }
    pa_context_set_state_callback(output->context_, &PulseOutput::onContextState, output.get());
    // No autospawn: starting a sound server is the desktop's business, and a
    // missing one is reported to the caller rather than papered over.
    if (pa_context_connect(output->context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        error = std::string("cannot connect to PulseAudio: ") +
                pa_strerror(pa_context_errno(output->context_));
        return nullptr;
    }
    if (pa_threaded_mainloop_start(output->mainloop_) < 0) {
        error = "cannot start the PulseAudio main loop";
        return nullptr;
    }

    pa_threaded_mainloop_lock(output->mainloop_);
    const bool ready = output->openStream(error);
    if (ready && buffer.realtimeThread) output->askRealtimeForRenderThread();
    pa_threaded_mainloop_unlock(output->mainloop_);
    if (!ready) return nullptr;
    return output;
}

bool PulseOutput::openStream(std::string& error) {
    if (!waitUntilReady(
            [](PulseOutput& self) {
                return pa_context_get_state(self.context_) == PA_CONTEXT_READY;
            },
            error) ||
        !askServerKind(error)) {
        return false;
    }
    if (buffer_.sinkKeepsOnePeriod && !heardSteady_) {
        // PipeWire's server runs the stream's graph at the cycle its latency
        // leaves the sink, and with early requests that is one request, its
        // shortest, however far the stream grows. Adjusted, it starts the same
        // and the cycle can grow where the machine misses it.
        buffer_.sinkKeepsOnePeriod = false;
        lostCycles_.emplace(sampleRate_);
    }
    pa_sample_spec spec{};
    spec.format = PA_SAMPLE_FLOAT32NE;
    spec.rate = static_cast<std::uint32_t>(sampleRate_);
    spec.channels = 2;
    stream_ = pa_stream_new(context_, buffer_.realtimeThread ? "Synthesizer" : "Playback", &spec,
                            nullptr);
    if (!stream_) {
        error = "cannot create a PulseAudio stream";
        return false;
    }
    pa_stream_set_state_callback(stream_, &PulseOutput::onStreamState, this);
    pa_stream_set_write_callback(stream_, &PulseOutput::onWrite, this);
    pa_stream_set_underflow_callback(stream_, &PulseOutput::onUnderflow, this);
    pa_stream_set_buffer_attr_callback(stream_, &PulseOutput::onGrantedBufferChanged, this);
    pa_stream_set_moved_callback(stream_, &PulseOutput::onGrantedBufferChanged, this);

    const pa_buffer_attr attributes = attributesFor(buffer_, buffer_.latencyFrames);
    // Early requests make the sink keep one request's worth; adjusting the
    // latency lets the server split it as it likes.
    const auto flags = static_cast<pa_stream_flags_t>(
        (buffer_.sinkKeepsOnePeriod ? PA_STREAM_EARLY_REQUESTS : PA_STREAM_ADJUST_LATENCY) |
        PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_NOT_MONOTONIC | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream_, nullptr, &attributes, flags, nullptr, nullptr) < 0) {
        error = std::string("cannot open a PulseAudio playback stream: ") +
                pa_strerror(pa_context_errno(context_));
        return false;
    }
    if (!waitUntilReady(
            [](PulseOutput& self) { return pa_stream_get_state(self.stream_) == PA_STREAM_READY; },
            error)) {
        return false;
    }
    bufferFrames_ = buffer_.latencyFrames;
    readGrantedBuffer();
    ready_ = true;
    return true;
}

// Called with the main loop's lock held. Until the server tells, what was
// asked stands in.
void PulseOutput::readGrantedBuffer() {
    const pa_buffer_attr* granted = pa_stream_get_buffer_attr(stream_);
    const pa_buffer_attr asked = attributesFor(buffer_, bufferFrames());
    const pa_buffer_attr& attributes = granted ? *granted : asked;
    const KeptLatency kept =
        midiout::keptLatency(buffer_, {static_cast<int>(attributes.tlength / FrameBytes),
                                       static_cast<int>(attributes.minreq / FrameBytes)});
    keptLatencyFrames_.store(kept.latencyFrames, std::memory_order_relaxed);
    keptPeriodFrames_.store(kept.periodFrames, std::memory_order_relaxed);
}

void PulseOutput::onGrantedBufferChanged(pa_stream*, void* self) {
    static_cast<PulseOutput*>(self)->readGrantedBuffer();
}

// PipeWire's stand-in for the server reports what is heard only roughly, so
// the render function must not keep time by it there.
bool PulseOutput::askServerKind(std::string& error) {
    pa_operation* operation = pa_context_get_server_info(
        context_,
        [](pa_context*, const pa_server_info* info, void* self) {
            auto* output = static_cast<PulseOutput*>(self);
            const std::string_view name = info && info->server_name ? info->server_name : "";
            output->heardSteady_ = name.find("PipeWire") == std::string_view::npos;
            output->serverKnown_ = true;
            pa_threaded_mainloop_signal(output->mainloop_, 0);
        },
        this);
    if (!operation) return true;  // the steady report stands
    const bool answered =
        waitUntilReady([](PulseOutput& self) { return self.serverKnown_; }, error);
    pa_operation_unref(operation);
    return answered;
}

// Called with the main loop's lock held, as every call into the loop from
// another thread must be.
void PulseOutput::askRealtimeForRenderThread() {
    // The render thread is the main loop's; it tells its own id once the
    // lock is let go.
    auto renderThread = std::make_shared<std::atomic<pid_t>>(0);
    pa_threaded_mainloop_once_unlocked(
        mainloop_,
        [](pa_threaded_mainloop*, void* thread) {
            auto& id = *static_cast<std::atomic<pid_t>*>(thread);
            id = sys::currentThreadId();
            id.notify_all();
        },
        renderThread.get());
    priorityRequest_ = std::thread([this, renderThread] {
        renderThread->wait(0);
        realtime_.store(sys::makeThreadRealtime(renderThread->load(), sys::SynthPriority),
                        std::memory_order_release);
    });
}

void PulseOutput::awaitPriorityAnswer() {
    if (priorityRequest_.joinable()) priorityRequest_.join();
}

bool PulseOutput::waitUntilReady(bool (*ready)(PulseOutput&), std::string& error) {
    timedOut_ = false;
    pa_time_event* timer = pa_context_rttime_new(
        context_, pa_rtclock_now() + ConnectTimeout,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* output = static_cast<PulseOutput*>(self);
            output->timedOut_ = true;
            pa_threaded_mainloop_signal(output->mainloop_, 0);
        },
        this);
    bool result = false;
    while (true) {
        if (ready(*this)) {
            result = true;
            break;
        }
        const bool contextFailed = !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_));
        const bool streamFailed = stream_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
        if (contextFailed || streamFailed) {
            error = std::string("PulseAudio: ") + pa_strerror(pa_context_errno(context_));
            break;
        }
        if (timedOut_) {
            error = "PulseAudio did not answer";
            break;
        }
        pa_threaded_mainloop_wait(mainloop_);
    }
    if (timer) pa_threaded_mainloop_get_api(mainloop_)->time_free(timer);
    return result;
}

PulseOutput::~PulseOutput() {
    awaitPriorityAnswer();
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
        pa_stream_set_buffer_attr_callback(stream_, nullptr, nullptr);
        pa_stream_set_moved_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    pa_threaded_mainloop_unlock(mainloop_);
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
}

void PulseOutput::wake() {
    // A playing stream sees the count move at its next request; only a
    // paused one needs the lock, so a message costs no wait for the audio
    // thread. The count goes first: a stream pausing meanwhile either sees it
    // or is seen asleep here (see onWrite).
    wakes_.fetch_add(1);
    if (!asleep_.load()) return;
    pa_threaded_mainloop_lock(mainloop_);
    quietFrames_ = 0;
    if (asleep_) {
        asleep_ = false;
        if (pa_operation* operation = pa_stream_cork(stream_, 0, nullptr, nullptr)) {
            pa_operation_unref(operation);
        }
    }
    pa_threaded_mainloop_unlock(mainloop_);
}

bool PulseOutput::isAsleep() {
    return asleep_.load(std::memory_order_acquire);
}

void PulseOutput::setSleepAfter(int milliseconds) {
    pa_threaded_mainloop_lock(mainloop_);
    sleepAfterFrames_ = static_cast<long long>(sampleRate_) * milliseconds / 1000;
    pa_threaded_mainloop_unlock(mainloop_);
}

long long PulseOutput::latencyMicroseconds() {
    pa_threaded_mainloop_lock(mainloop_);
    pa_usec_t latency = 0;
    int negative = 0;
    const bool known = pa_stream_get_latency(stream_, &latency, &negative) == 0;
    pa_threaded_mainloop_unlock(mainloop_);
    if (!known) return -1;
    return negative ? 0 : static_cast<long long>(latency);
}

void PulseOutput::discardQueued(const std::function<void(std::int64_t heardFrame)>& settle) {
    pa_threaded_mainloop_lock(mainloop_);
    const std::int64_t heard = playedFrames();
    // The next frame written is the next one heard.
    if (heard >= 0) writtenFrames_ = std::min(writtenFrames_, heard);
    if (pa_operation* operation = pa_stream_flush(stream_, nullptr, nullptr)) {
        pa_operation_unref(operation);
    }
    if (lostCycles_) lostCycles_->restart();
    if (settle) settle(heard);
    pa_threaded_mainloop_unlock(mainloop_);
}

void PulseOutput::growAfterUnderrun() {
    const int current = bufferFrames();
    const int grown = grownLatencyFrames(buffer_, current, keptLatency());
    if (grown <= current) return;
    const pa_buffer_attr attributes = attributesFor(buffer_, grown);
    bufferFrames_ = grown;
    // The server answers with what it grants of it; the requests then fall
    // another way.
    if (pa_operation* operation = pa_stream_set_buffer_attr(
            stream_, &attributes,
            [](pa_stream*, int success, void* self) {
                auto* output = static_cast<PulseOutput*>(self);
                if (success) output->readGrantedBuffer();
                if (output->lostCycles_) output->lostCycles_->restart();
            },
            this)) {
        pa_operation_unref(operation);
    }
}

int PulseOutput::serverBufferFrames() {
    pa_threaded_mainloop_lock(mainloop_);
    const pa_buffer_attr* granted = pa_stream_get_buffer_attr(stream_);
    const int frames = granted ? static_cast<int>(granted->tlength / FrameBytes) : 0;
    pa_threaded_mainloop_unlock(mainloop_);
    return frames;
}

// Called with the main loop's lock held. A position beyond what was written
// is no report: a server that hung answers its first timing query after it
// with one out of all measure, and the stream corrects it at the next.
std::int64_t PulseOutput::playedFrames() {
    pa_usec_t heard = 0;
    if (pa_stream_get_time(stream_, &heard) < 0) return -1;
    const double frames = static_cast<double>(heard) * sampleRate_ / PA_USEC_PER_SEC;
    return frames > static_cast<double>(writtenFrames_) ? -1 : static_cast<std::int64_t>(frames);
}

void PulseOutput::onUnderflow(pa_stream*, void* self) {
    static_cast<PulseOutput*>(self)->noticeDropout();
}

// With the main loop's lock held.
void PulseOutput::noticeDropout() {
    ++underruns_;
    // A buffer of silence that runs dry is heard by no one: the stream's
    // start, or a pause between notes.
    if (silentFrames_ < keptLatency().latencyFrames) growAfterUnderrun();
}

void PulseOutput::onContextState(pa_context* context, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) output->noticeLoss();
    pa_threaded_mainloop_signal(output->mainloop_, 0);
}

void PulseOutput::onStreamState(pa_stream* stream, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) output->noticeLoss();
    pa_threaded_mainloop_signal(output->mainloop_, 0);
}

// With the main loop's lock held. A failure while connecting is the caller's
// to report; only a stream that was playing is lost.
void PulseOutput::noticeLoss() {
    if (!ready_ || lost_.exchange(true, std::memory_order_acq_rel)) return;
    if (onLost_) onLost_();
}

void PulseOutput::onWrite(pa_stream* stream, std::size_t bytes, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    RenderClock clock;
    clock.nowMicros = monotonicMicros();
    clock.playedFrames = output->playedFrames();
    clock.playedSteady = output->heardSteady_;
    const KeptLatency kept = output->keptLatency();
    clock.bufferFrames = kept.latencyFrames;
    clock.periodFrames = kept.periodFrames;
    if (output->lostCycles_) {
        const int requested = static_cast<int>(bytes / FrameBytes);
        clock.requestLine = output->lostCycles_->judge(
            clock.nowMicros, output->writtenFrames_ + requested, requested, kept.periodFrames);
        if (clock.requestLine == LostCycleWatch::Verdict::LostCycle) output->noticeDropout();
    }
    while (bytes >= FrameBytes) {
        void* data = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &data, &size) < 0 || !data) return;
        const int frames = static_cast<int>(size / FrameBytes);
        if (frames == 0) {
            pa_stream_cancel_write(stream);
            return;
        }
        clock.writtenFrames = output->writtenFrames_;
        const bool audible = output->render_(static_cast<float*>(data), frames, clock);
        output->writtenFrames_ += frames;
        const float* written = static_cast<const float*>(data);
        const bool silent = std::all_of(written, written + 2 * static_cast<std::ptrdiff_t>(frames),
                                        [](float sample) { return sample == 0.0f; });
        output->silentFrames_ = silent ? output->silentFrames_ + frames : 0;
        output->quietFrames_ = audible ? 0 : output->quietFrames_ + frames;
        const unsigned wakes = output->wakes_.load();
        if (wakes != output->wakesSeen_) {
            output->wakesSeen_ = wakes;
            output->quietFrames_ = 0;
        }
        pa_stream_write(stream, data, static_cast<std::size_t>(frames) * FrameBytes, nullptr, 0,
                        PA_SEEK_RELATIVE);
        bytes -= static_cast<std::size_t>(frames) * FrameBytes;
    }
    if (!output->asleep_ && output->quietFrames_ >= output->sleepAfterFrames_) {
        output->asleep_.store(true);
        if (output->wakes_.load() != output->wakesSeen_) {
            // Woken after all, before wake() could see the pause.
            output->asleep_.store(false);
            output->quietFrames_ = 0;
            return;
        }
        if (pa_operation* operation = pa_stream_cork(stream, 1, nullptr, nullptr)) {
            pa_operation_unref(operation);
        }
    }
}

}  // namespace midiout
