#include "platform/midiout/SynthTimeline.h"

#include <algorithm>
#include <cmath>

#include "platform/midiout/GeneralMidiSynth.h"

namespace midiout {

namespace {

constexpr double MicrosPerSecond = 1e6;
// Each request moves the clock's offset a sixteenth of the way to what it
// saw, so one late or early request barely moves a note.
constexpr double Smoothing = 1.0 / 16;
// Beyond this the stream has been paused, restarted or re-sized: the clock
// starts afresh from what it sees.
constexpr double JumpMs = 20;
constexpr std::int64_t GapMicros = 100'000;

}  // namespace

SynthTimeline::SynthTimeline(GeneralMidiSynth& synth, int sampleRate)
    : synth_(synth), sampleRate_(sampleRate) {
    // The audio thread never allocates: room for a full queue and as many
    // waiting for their frame.
    placed_.reserve(2 * Capacity);
}

bool SynthTimeline::post(std::int64_t sentMicros, std::uint8_t status, std::uint8_t data1,
                         std::uint8_t data2) {
    // Status 0 stands for every note off; no MIDI message has it.
    if (status == 0) return true;
    return push({sentMicros, status, data1, data2, 0});
}

bool SynthTimeline::postNotesOff(std::int64_t sentMicros) {
    return push({sentMicros, 0, 0, 0, 0});
}

bool SynthTimeline::push(const Message& message) {
    const std::lock_guard lock(senders_);
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) >= Capacity) return false;
    ring_[tail % Capacity] = message;
    tail_.store(tail + 1, std::memory_order_release);
    return true;
}

bool SynthTimeline::pending() const {
    return !placed_.empty() ||
           head_.load(std::memory_order_relaxed) != tail_.load(std::memory_order_acquire);
}

std::int64_t SynthTimeline::heardFrameAt(std::int64_t micros) const {
    return static_cast<std::int64_t>(
        std::floor(static_cast<double>(micros) * sampleRate_ / MicrosPerSecond + heardOffset_));
}

void SynthTimeline::takeArrivals(const RenderClock& clock) {
    // Where the stream cannot tell what is heard, the written frames less the
    // buffer stand in for it.
    const std::int64_t heard =
        clock.playedFrames >= 0 ? clock.playedFrames : clock.writtenFrames - clock.bufferFrames;
    const double offset = static_cast<double>(heard) -
                          static_cast<double>(clock.nowMicros) * sampleRate_ / MicrosPerSecond;
    const bool restart = !clockKnown_ || clock.nowMicros - lastCallMicros_ > GapMicros ||
                         std::abs(offset - heardOffset_) > JumpMs * sampleRate_ / 1000;
    heardOffset_ = restart ? offset : heardOffset_ + (offset - heardOffset_) * Smoothing;
    clockKnown_ = true;
    lastCallMicros_ = clock.nowMicros;

    const std::size_t tail = tail_.load(std::memory_order_acquire);
    std::size_t head = head_.load(std::memory_order_relaxed);
    const int latency = latencyFrames(clock.bufferFrames, clock.periodFrames);
    for (; head != tail; ++head) {
        Message message = ring_[head % Capacity];
        message.frame = heardFrameAt(message.sentMicros) + latency;
        // Never ahead of one sent before it, whatever the clock did between.
        if (!placed_.empty()) message.frame = std::max(message.frame, placed_.back().frame);
        if (placed_.size() == placed_.capacity()) {
            play(message);
        } else {
            placed_.push_back(message);
        }
    }
    head_.store(head, std::memory_order_release);
}

void SynthTimeline::playPending() {
    for (const Message& message : placed_) play(message);
    placed_.clear();
    const std::size_t tail = tail_.load(std::memory_order_acquire);
    std::size_t head = head_.load(std::memory_order_relaxed);
    for (; head != tail; ++head) play(ring_[head % Capacity]);
    head_.store(head, std::memory_order_release);
    // The next stream's clock is another one.
    clockKnown_ = false;
}

void SynthTimeline::play(const Message& message) {
    if (message.status == 0) {
        synth_.notesOff();
    } else {
        synth_.send(message.status, message.data1, message.data2);
    }
}

bool SynthTimeline::render(float* interleaved, int frames, const RenderClock& clock) {
    takeArrivals(clock);
    const bool hadMessages = !placed_.empty();
    const std::int64_t end = clock.writtenFrames + frames;
    std::int64_t position = clock.writtenFrames;
    std::size_t played = 0;
    for (; played < placed_.size() && placed_[played].frame < end; ++played) {
        // One that came too late for its frame plays at once.
        const std::int64_t at = std::max(placed_[played].frame, position);
        if (at > position) {
            synth_.render(interleaved + (position - clock.writtenFrames) * 2,
                          static_cast<int>(at - position));
            position = at;
        }
        play(placed_[played]);
    }
    if (end > position) {
        synth_.render(interleaved + (position - clock.writtenFrames) * 2,
                      static_cast<int>(end - position));
    }
    placed_.erase(placed_.begin(), placed_.begin() + static_cast<std::ptrdiff_t>(played));
    return hadMessages;
}

}  // namespace midiout
