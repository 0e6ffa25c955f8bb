#include "platform/media/WaveRecorder.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <ctime>

namespace media {

namespace {
// Fragments of about 20 ms keep the byte count close to real time.
constexpr int FragmentsPerSecond = 50;
constexpr pa_usec_t ConnectTimeout = 3 * PA_USEC_PER_SEC;
}  // namespace

// A connection with one record stream; callbacks run on the main loop's thread.
struct WaveRecorder::Stream {
    WaveRecorder* owner = nullptr;
    pa_threaded_mainloop* mainloop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    bool recording = false;  // guarded by the main loop's lock

    // A failure while connecting is record()'s to report; one after that ends
    // the recording. What was written stays: the spool's header is right after
    // every write.
    static void onStateChange(Stream& self) {
        const bool serverGone = !PA_CONTEXT_IS_GOOD(pa_context_get_state(self.context));
        const bool inputGone = self.stream && !PA_STREAM_IS_GOOD(pa_stream_get_state(self.stream));
        if (!self.recording || (!serverGone && !inputGone)) return;
        self.recording = false;
        const std::string reason =
            std::string(serverGone ? "the sound server went away" : "the sound input went away") +
            " (" + pa_strerror(pa_context_errno(self.context)) + ")";
        {
            const std::lock_guard guard(self.owner->dataLock_);
            self.owner->interruption_ = reason;
        }
        self.owner->running_ = false;
    }

    ~Stream() {
        if (!mainloop) return;
        pa_threaded_mainloop_lock(mainloop);
        if (stream) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_set_read_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
        }
        if (context) {
            pa_context_set_state_callback(context, nullptr, nullptr);
            pa_context_disconnect(context);
            pa_context_unref(context);
        }
        pa_threaded_mainloop_unlock(mainloop);
        pa_threaded_mainloop_stop(mainloop);
        pa_threaded_mainloop_free(mainloop);
    }

    // Waits (with the lock held) until ready() or a failure or the timeout.
    template <typename Ready>
    bool waitUntil(Ready ready, std::string& error) {
        const pa_usec_t deadline = pa_rtclock_now() + ConnectTimeout;
        while (!ready()) {
            if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) ||
                (stream && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))) {
                error = std::string("PulseAudio: ") + pa_strerror(pa_context_errno(context));
                return false;
            }
            if (pa_rtclock_now() > deadline) {
                error = "PulseAudio did not answer";
                return false;
            }
            // The loop's thread needs the lock to move the states on.
            pa_threaded_mainloop_unlock(mainloop);
            struct timespec pause {
                0, 2'000'000
            };
            nanosleep(&pause, nullptr);
            pa_threaded_mainloop_lock(mainloop);
        }
        return true;
    }
};

WaveRecorder::WaveRecorder() = default;

WaveRecorder::~WaveRecorder() {
    stop();
}

bool WaveRecorder::setFormat(const WaveFormat& format) {
    if (format.samplesPerSecond < 1000 || format.samplesPerSecond > 192000) return false;
    if (format.channels != 1 && format.channels != 2) return false;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
    if (format.alignment != format.channels * format.bitsPerSample / 8) return false;
    if (format.bytesPerSecond != format.samplesPerSecond * format.alignment) return false;
    format_ = format;
    return true;
}

WaveRecorder::Start WaveRecorder::record(bool overwrite, std::string& error) {
    stop();
    {
        const std::lock_guard guard(dataLock_);
        interruption_.clear();
        const bool sameFormat = spool_ && spool_->format().bitsPerSample == format_.bitsPerSample &&
                                spool_->format().channels == format_.channels &&
                                spool_->format().samplesPerSecond == format_.samplesPerSecond;
        if (overwrite || !sameFormat) {
            spool_.reset();
            spool_ = WaveSpool::create(file_, format_, error);
            if (!spool_) return Start::FileFailed;
        }
    }
    auto stream = std::make_unique<Stream>();
    stream->owner = this;
    stream->mainloop = pa_threaded_mainloop_new();
    if (!stream->mainloop) {
        error = "cannot create the PulseAudio main loop";
        return Start::NoInput;
    }
    stream->context =
        pa_context_new(pa_threaded_mainloop_get_api(stream->mainloop), "Midi Sorvane");
    if (stream->context) {
        pa_context_set_state_callback(
            stream->context,
            [](pa_context*, void* self) { Stream::onStateChange(*static_cast<Stream*>(self)); },
            stream.get());
    }
    if (!stream->context ||
        pa_context_connect(stream->context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(stream->mainloop) < 0) {
        error = "cannot connect to PulseAudio";
        return Start::NoInput;
    }
    pa_threaded_mainloop_lock(stream->mainloop);
    const bool ready = [&] {
        if (!stream->waitUntil(
                [&] { return pa_context_get_state(stream->context) == PA_CONTEXT_READY; }, error)) {
            return false;
        }
        pa_sample_spec spec{};
        spec.format = format_.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
        spec.rate = static_cast<std::uint32_t>(format_.samplesPerSecond);
        spec.channels = static_cast<std::uint8_t>(format_.channels);
        stream->stream = pa_stream_new(stream->context, "Recording", &spec, nullptr);
        if (!stream->stream) {
            error = "cannot create a PulseAudio stream";
            return false;
        }
        pa_stream_set_read_callback(stream->stream, &WaveRecorder::onRead, this);
        pa_stream_set_state_callback(
            stream->stream,
            [](pa_stream*, void* self) { Stream::onStateChange(*static_cast<Stream*>(self)); },
            stream.get());
        pa_buffer_attr attributes{};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.fragsize =
            static_cast<std::uint32_t>(format_.bytesPerSecond / FragmentsPerSecond);
        if (pa_stream_connect_record(stream->stream, nullptr, &attributes,
                                     PA_STREAM_ADJUST_LATENCY) < 0) {
            error = std::string("cannot record from PulseAudio: ") +
                    pa_strerror(pa_context_errno(stream->context));
            return false;
        }
        return stream->waitUntil(
            [&] { return pa_stream_get_state(stream->stream) == PA_STREAM_READY; }, error);
    }();
    // Running before the loop's thread can see a failure, which ends it.
    if (ready) {
        running_ = true;
        stream->recording = true;
    }
    pa_threaded_mainloop_unlock(stream->mainloop);
    if (!ready) return Start::NoInput;
    stream_ = std::move(stream);
    return Start::Recording;
}

void WaveRecorder::onRead(pa_stream* stream, std::size_t, void* self) {
    auto* recorder = static_cast<WaveRecorder*>(self);
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &data, &bytes) < 0) return;
        if (bytes == 0) break;
        {
            const std::lock_guard guard(recorder->dataLock_);
            if (recorder->spool_ && data) {
                recorder->spool_->append(data, bytes);
            } else if (recorder->spool_) {
                recorder->spool_->appendSilence(bytes);  // a hole in the stream
            }
        }
        pa_stream_drop(stream);
    }
}

void WaveRecorder::stop() {
    stream_.reset();
    running_ = false;
}

std::string WaveRecorder::interruption() {
    const std::lock_guard guard(dataLock_);
    return interruption_;
}

std::int64_t WaveRecorder::lengthBytes() {
    const std::lock_guard guard(dataLock_);
    return spool_ ? spool_->lengthBytes() : 0;
}

bool WaveRecorder::save(const std::string& path, std::string& error) {
    const std::lock_guard guard(dataLock_);
    if (!spool_) {
        // Nothing recorded: an empty file of the format, made aside first.
        spool_ = WaveSpool::create({}, format_, error);
        if (!spool_) return false;
    }
    return spool_->saveAs(path, error);
}

}  // namespace media
