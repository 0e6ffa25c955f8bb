#include "platform/midiout/PulseOutput.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

namespace midiout {
namespace {

constexpr int FrameBytes = 2 * sizeof(float);
// A server that neither answers nor refuses must not hang the caller.
constexpr pa_usec_t ConnectTimeout = 3 * PA_USEC_PER_SEC;

}  // namespace

std::unique_ptr<PulseOutput> PulseOutput::connect(Render render, int sampleRate,
                                                  std::string& error) {
    std::unique_ptr<PulseOutput> output(new PulseOutput);
    output->render_ = std::move(render);
    output->sampleRate_ = sampleRate;
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
    const bool ready = [&] {
        if (!output->waitUntilReady(
                [](PulseOutput& self) {
                    return pa_context_get_state(self.context_) == PA_CONTEXT_READY;
                },
                error)) {
            return false;
        }
        pa_sample_spec spec{};
        spec.format = PA_SAMPLE_FLOAT32NE;
        spec.rate = static_cast<std::uint32_t>(sampleRate);
        spec.channels = 2;
        output->stream_ = pa_stream_new(output->context_, "Synthesizer", &spec, nullptr);
        if (!output->stream_) {
            error = "cannot create a PulseAudio stream";
            return false;
        }
        pa_stream_set_state_callback(output->stream_, &PulseOutput::onStreamState, output.get());
        pa_stream_set_write_callback(output->stream_, &PulseOutput::onWrite, output.get());

        pa_buffer_attr attributes{};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.tlength = static_cast<std::uint32_t>(PeriodFrames * LatencyPeriods * FrameBytes);
        attributes.prebuf = static_cast<std::uint32_t>(-1);
        attributes.minreq = static_cast<std::uint32_t>(PeriodFrames * FrameBytes);
        attributes.fragsize = static_cast<std::uint32_t>(-1);
        const auto flags = static_cast<pa_stream_flags_t>(
            PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
        if (pa_stream_connect_playback(output->stream_, nullptr, &attributes, flags, nullptr,
                                       nullptr) < 0) {
            error = std::string("cannot open a PulseAudio playback stream: ") +
                    pa_strerror(pa_context_errno(output->context_));
            return false;
        }
        return output->waitUntilReady(
            [](PulseOutput& self) { return pa_stream_get_state(self.stream_) == PA_STREAM_READY; },
            error);
    }();
    pa_threaded_mainloop_unlock(output->mainloop_);
    if (!ready) return nullptr;
    return output;
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
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
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

bool PulseOutput::isConnected() {
    pa_threaded_mainloop_lock(mainloop_);
    const bool connected = pa_context_get_state(context_) == PA_CONTEXT_READY &&
                           pa_stream_get_state(stream_) == PA_STREAM_READY;
    pa_threaded_mainloop_unlock(mainloop_);
    return connected;
}

void PulseOutput::wake() {
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
    pa_threaded_mainloop_lock(mainloop_);
    const bool asleep = asleep_;
    pa_threaded_mainloop_unlock(mainloop_);
    return asleep;
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

void PulseOutput::onContextState(pa_context*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseOutput*>(self)->mainloop_, 0);
}

void PulseOutput::onStreamState(pa_stream*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseOutput*>(self)->mainloop_, 0);
}

void PulseOutput::onWrite(pa_stream* stream, std::size_t bytes, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    while (bytes >= FrameBytes) {
        void* data = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &data, &size) < 0 || !data) return;
        const int frames = static_cast<int>(size / FrameBytes);
        if (frames == 0) {
            pa_stream_cancel_write(stream);
            return;
        }
        const bool audible = output->render_(static_cast<float*>(data), frames);
        output->quietFrames_ = audible ? 0 : output->quietFrames_ + frames;
        pa_stream_write(stream, data, static_cast<std::size_t>(frames) * FrameBytes, nullptr, 0,
                        PA_SEEK_RELATIVE);
        bytes -= static_cast<std::size_t>(frames) * FrameBytes;
    }
    if (!output->asleep_ && output->quietFrames_ >= output->sleepAfterFrames_) {
        output->asleep_ = true;
        if (pa_operation* operation = pa_stream_cork(stream, 1, nullptr, nullptr)) {
            pa_operation_unref(operation);
        }
    }
}

}  // namespace midiout
