#include "platform/midiout/MapperDevice.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#include "platform/midiout/GeneralMidiSynth.h"
#include "platform/midiout/PulseOutput.h"
#include "platform/midiout/SynthTimeline.h"

namespace midiout {
namespace {

// After this long without a voice or a message the reverb and chorus have died
// away: the stream is fed silence without running the synthesizer, and pauses
// altogether once the whole quiet period has passed.
constexpr std::chrono::milliseconds SynthQuietTime{3000};
constexpr std::chrono::milliseconds DefaultQuietPeriod{8000};

std::int64_t framesOf(std::chrono::milliseconds time) {
    return time.count() * GeneralMidiSynth::SampleRate / 1000;
}

// One synthesizer and one audio stream for the whole process, whichever
// mapper device object asks for them. Closing the mapper turns its notes off
// and lets them ring out: the stream stays, so a reopen costs nothing and a
// close never cuts the sound.
//
// The stream is kept by a thread of its own: when the sound server is not
// there, goes away or drops the stream, it connects again about every second
// and adopts the new stream once it is ready, so the sound comes back by
// itself and no caller ever waits on a dead connection. Meanwhile messages go
// straight to the synthesizer, whose voices it keeps moving in time, so that
// what is heard on the server's return is what would be sounding by then.
class SynthEngine {
public:
    static SynthEngine& instance() {
        static SynthEngine engine;
        return engine;
    }

    bool start() {
        std::lock_guard lock(mutex_);
        std::string& error = lastError_;
        if (!synth_) {
            error.clear();
            synth_ = GeneralMidiSynth::create(error);
            if (!synth_) return false;
            timeline_ = std::make_unique<SynthTimeline>(*synth_, GeneralMidiSynth::SampleRate);
            // The first open connects at once, so that the first note is heard
            // and a missing server is told; the keeper takes over from here.
            adopt(connectOutput(error));
            keeper_ = std::jthread([this](std::stop_token stop) { keepStream(stop); });
        }
        return true;
    }

    bool audible() {
        std::lock_guard lock(mutex_);
        return playing();
    }

    void stop() {
        const std::int64_t sent = monotonicMicros();
        std::lock_guard lock(mutex_);
        if (!synth_) return;
        ++messages_;
        if (!playing()) {
            synth_->notesOff();
            return;
        }
        timeline_->postNotesOff(sent);
        output_->wake();
    }

    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        // Stamped as it arrives: it is heard that moment plus the latency.
        const std::int64_t sent = monotonicMicros();
        std::lock_guard lock(mutex_);
        if (!synth_) return;
        // Counted before the synthesizer takes it, so the audio thread never
        // passes over a message it has not seen.
        ++messages_;
        // With no stream there is no clock to place it by, and no one to hear.
        if (!playing()) {
            synth_->send(status, data1, data2);
            return;
        }
        timeline_->post(sent, status, data1, data2);
        output_->wake();
    }

    long long latency() {
        std::lock_guard lock(mutex_);
        return playing() ? output_->latencyMicroseconds() : -1;
    }

    std::int64_t framesPlayed() const { return framesPlayed_; }

    int dropouts() {
        std::lock_guard lock(mutex_);
        return dropoutsOfLostStreams_ + (output_ ? output_->underruns() : 0);
    }

    std::string lastError() {
        std::lock_guard lock(mutex_);
        return lastError_;
    }

    bool asleep() {
        std::lock_guard lock(mutex_);
        return playing() && output_->isAsleep();
    }

    void setQuietPeriod(std::chrono::milliseconds period) {
        std::lock_guard lock(mutex_);
        quietPeriod_ = std::max(period, std::chrono::milliseconds{0});
        synthQuietFrames_ = framesOf(synthQuietTime());
        if (output_) applyQuietPeriod(*output_);
    }

private:
    // With the engine's lock held. A stream found lost is let go at once,
    // with what waited for it, so no message sent now overtakes those.
    bool playing() {
        if (output_ && !output_->isConnected()) dropLostStream();
        return output_ != nullptr;
    }

    // A stream renders from the moment it connects, but only the one adopted
    // plays the synthesizer: the messages have one reader.
    struct Connected {
        std::unique_ptr<PulseOutput> output;
        unsigned stream = 0;
    };
    Connected connectOutput(std::string& error) {
        const unsigned stream = ++streamsConnected_;
        auto output = PulseOutput::connect(
            [this, stream](float* interleaved, int frames, const RenderClock& clock) {
                if (stream != adoptedStream_.load(std::memory_order_acquire)) {
                    std::fill(interleaved, interleaved + 2 * static_cast<std::ptrdiff_t>(frames),
                              0.0f);
                    return false;
                }
                return render(interleaved, frames, clock);
            },
            GeneralMidiSynth::SampleRate, liveBuffer(GeneralMidiSynth::SampleRate), error,
            [this] { wakeKeeper(); });
        return {std::move(output), stream};
    }

    // With the engine's lock held.
    void adopt(Connected connected) {
        output_ = std::move(connected.output);
        if (!output_) return;
        adoptedStream_ = connected.stream;
        applyQuietPeriod(*output_);
    }

    // With the engine's lock held: the lost stream's thread ends before the
    // messages that waited for it are played, and no message sent afterwards
    // can overtake them.
    void dropLostStream() {
        dropoutsOfLostStreams_ += output_->underruns();
        output_.reset();
        adoptedStream_ = 0;
        timeline_->playPending();
    }

    // The stream's own thread, when the server goes: it must not wait for
    // the engine's lock, which is held while a stream is let go.
    void wakeKeeper() {
        {
            std::lock_guard lock(keeperMutex_);
            streamLost_ = true;
        }
        keeperWake_.notify_all();
    }

    void keepStream(std::stop_token stop) {
        auto lastRender = std::chrono::steady_clock::now();
        while (!stop.stop_requested()) {
            bool needed = false;
            {
                std::lock_guard lock(mutex_);
                needed = !playing();
            }
            if (!needed) {
                std::unique_lock lock(keeperMutex_);
                keeperWake_.wait(lock, stop, [this] { return streamLost_; });
                streamLost_ = false;
                lastRender = std::chrono::steady_clock::now();
                continue;
            }
            std::string error;
            Connected connected = connectOutput(error);
            if (connected.output) {
                std::lock_guard lock(mutex_);
                adopt(std::move(connected));
                lastError_.clear();
                continue;
            }
            std::unique_lock lock(keeperMutex_);
            keeperWake_.wait_for(lock, stop, std::chrono::seconds(1), [] { return false; });
            lock.unlock();
            lastRender = keepVoicesInTime(lastRender);
        }
    }

    // Renders, into nothing, the time that passed without a stream: notes
    // released meanwhile fade out rather than all sounding on the server's
    // return.
    std::chrono::steady_clock::time_point keepVoicesInTime(
        std::chrono::steady_clock::time_point since) {
        const auto now = std::chrono::steady_clock::now();
        const auto passed = std::chrono::duration_cast<std::chrono::milliseconds>(now - since);
        std::int64_t frames =
            std::min(framesOf(passed), std::int64_t{GeneralMidiSynth::SampleRate});
        while (frames > 0 && synth_->activeVoices() > 0) {
            const int block = static_cast<int>(std::min<std::int64_t>(frames, ScratchFrames));
            synth_->render(scratch_.data(), block);
            frames -= block;
        }
        return now;
    }

    // The audio thread: synth_ is set before the stream exists and outlives it.
    bool render(float* interleaved, int frames, const RenderClock& clock) {
        const std::uint64_t messages = messages_;
        if (messages != messagesRendered_ || synth_->activeVoices() > 0 || timeline_->pending()) {
            messagesRendered_ = messages;
            quietFrames_ = 0;
        }
        framesPlayed_ += frames;
        if (quietFrames_ >= synthQuietFrames_) {
            std::fill(interleaved, interleaved + 2 * static_cast<std::ptrdiff_t>(frames), 0.0f);
            return false;
        }
        timeline_->render(interleaved, frames, clock);
        quietFrames_ += frames;
        return true;
    }

    // The stream counts the part of the quiet period after the synthesizer
    // has stopped rendering.
    void applyQuietPeriod(PulseOutput& output) {
        output.setSleepAfter(static_cast<int>((quietPeriod_ - synthQuietTime()).count()));
    }

    // A short quiet period is shared out so that the stream's part never
    // vanishes.
    std::chrono::milliseconds synthQuietTime() const {
        return std::min(quietPeriod_ / 2, SynthQuietTime);
    }

    static constexpr int ScratchFrames = 4096;

    std::mutex mutex_;
    // Everything the audio thread touches is declared before the stream, so
    // the stream, and its thread, go first.
    std::unique_ptr<GeneralMidiSynth> synth_;
    std::unique_ptr<SynthTimeline> timeline_;
    std::atomic<std::uint64_t> messages_{0};
    std::atomic<std::int64_t> framesPlayed_{0};
    std::uint64_t messagesRendered_ = 0;  // audio thread only
    std::int64_t quietFrames_ = 0;        // audio thread only
    std::atomic<std::int64_t> synthQuietFrames_{framesOf(SynthQuietTime)};
    std::chrono::milliseconds quietPeriod_ = DefaultQuietPeriod;
    std::atomic<unsigned> streamsConnected_{0};
    std::atomic<unsigned> adoptedStream_{0};
    // The keeper's wake-up, which a stream's own thread may call until the
    // stream is gone: declared before it.
    std::mutex keeperMutex_;
    std::condition_variable_any keeperWake_;
    bool streamLost_ = false;  // guarded by keeperMutex_
    std::unique_ptr<PulseOutput> output_;
    int dropoutsOfLostStreams_ = 0;
    std::string lastError_;
    // The keeper's: where the voices render while there is no stream.
    std::array<float, 2 * ScratchFrames> scratch_{};
    // Declared last, so it stops before what it keeps goes.
    std::jthread keeper_;
};

class MapperDevice : public Device {
public:
    std::string name() const override { return "MIDI Mapper"; }
    bool open() override { return SynthEngine::instance().start(); }
    void close() override { SynthEngine::instance().stop(); }
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        SynthEngine::instance().send(status, data1, data2);
    }
    bool audible() override { return SynthEngine::instance().audible(); }
};

}  // namespace

std::shared_ptr<Device> makeMapperDevice() {
    return std::make_shared<MapperDevice>();
}

long long mapperLatencyMicroseconds() {
    return SynthEngine::instance().latency();
}

std::int64_t mapperFramesPlayed() {
    return SynthEngine::instance().framesPlayed();
}

int mapperDropouts() {
    return SynthEngine::instance().dropouts();
}

std::string mapperLastError() {
    return SynthEngine::instance().lastError();
}

bool mapperAsleep() {
    return SynthEngine::instance().asleep();
}

void setMapperQuietPeriod(std::chrono::milliseconds period) {
    SynthEngine::instance().setQuietPeriod(period);
}

}  // namespace midiout
