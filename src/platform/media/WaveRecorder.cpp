#include "platform/media/WaveRecorder.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>
#include <sndfile.h>

#include <ctime>

namespace media {

namespace {
// Fragments of about 20 ms keep the byte count close to real time.
constexpr int FragmentsPerSecond = 50;
constexpr pa_usec_t ConnectTimeout = 3 * PA_USEC_PER_SEC;
}  // namespace

// A connection with one record stream; callbacks run on the main loop's thread.
struct WaveRecorder::Stream {
    pa_threaded_mainloop* mainloop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;

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

bool WaveRecorder::record(bool overwrite, std::string& error) {
    stop();
    auto stream = std::make_unique<Stream>();
    stream->mainloop = pa_threaded_mainloop_new();
    if (!stream->mainloop) {
        error = "cannot create the PulseAudio main loop";
        return false;
    }
    stream->context =
        pa_context_new(pa_threaded_mainloop_get_api(stream->mainloop), "Midi Sorvane");
    if (!stream->context ||
        pa_context_connect(stream->context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(stream->mainloop) < 0) {
        error = "cannot connect to PulseAudio";
        return false;
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
    if (ready && overwrite) {
        const std::lock_guard guard(dataLock_);
        data_.clear();
    }
    pa_threaded_mainloop_unlock(stream->mainloop);
    if (!ready) return false;
    stream_ = std::move(stream);
    running_ = true;
    return true;
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
            if (data) {
                const auto* from = static_cast<const std::uint8_t*>(data);
                recorder->data_.insert(recorder->data_.end(), from, from + bytes);
            } else {
                // A hole in the stream is silence: the unsigned 8-bit midpoint or zero.
                recorder->data_.insert(recorder->data_.end(), bytes,
                                       recorder->format_.bitsPerSample == 8 ? 0x80 : 0x00);
            }
        }
        pa_stream_drop(stream);
    }
}

void WaveRecorder::stop() {
    stream_.reset();
    running_ = false;
}

std::int64_t WaveRecorder::lengthBytes() {
    const std::lock_guard guard(dataLock_);
    return static_cast<std::int64_t>(data_.size());
}

bool WaveRecorder::save(const std::string& path, std::string& error) {
    SF_INFO info{};
    info.samplerate = format_.samplesPerSecond;
    info.channels = format_.channels;
    info.format =
        SF_FORMAT_WAV | (format_.bitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = sf_strerror(nullptr);
        return false;
    }
    bool written = true;
    {
        const std::lock_guard guard(dataLock_);
        // Whole frames only.
        const auto frameBytes = static_cast<std::size_t>(format_.alignment);
        const auto bytes = data_.size() / frameBytes * frameBytes;
        if (bytes > 0 && sf_write_raw(file, data_.data(), static_cast<sf_count_t>(bytes)) !=
                             static_cast<sf_count_t>(bytes)) {
            error = sf_strerror(file);
            written = false;
        }
    }
    if (sf_close(file) != 0) written = false;
    return written;
}

}  // namespace media
