#include "platform/midiout/SynthTimeline.h"

#include <algorithm>
#include <cmath>

#include "platform/midiout/GeneralMidiSynth.h"

namespace midiout {

namespace {

constexpr double MicrosPerSecond = 1e6;
// A line that falls further at once, or a pause this long, means the stream
// was paused, flushed or restarted: the clock starts afresh from what it sees.
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

std::int64_t SynthTimeline::frameOnClockAt(std::int64_t micros) const {
    return static_cast<std::int64_t>(std::floor(framesAt(micros) + origin_));
}

void SynthTimeline::followClock(const RenderClock& clock) {
    // A request may come in pieces, all with the clock read at its start:
    // only its first tells where the stream stands.
    if (clockKnown_ && clock.nowMicros == lastRequestMicros_) return;
    const bool restart = !clockKnown_ || clock.nowMicros - lastRequestMicros_ > GapMicros;
    if (clock.playedFrames >= 0 && clock.playedSteady) {
        followHeard(clock, restart);
    } else {
        followWritten(clock, restart);
    }
    clockKnown_ = true;
    lastRequestMicros_ = clock.nowMicros;
}

void SynthTimeline::followHeard(const RenderClock& clock, bool restart) {
    const double offset = static_cast<double>(clock.playedFrames) - framesAt(clock.nowMicros);
    // Each request moves the clock a sixteenth of the way to what it saw, so
    // one late or early request barely moves a note.
    if (restart || std::abs(offset - origin_) > JumpMs * sampleRate_ / 1000) {
        origin_ = offset;
    } else {
        origin_ += (offset - origin_) / 16;
    }
    // Heard after what the server keeps, one more request for a message sent
    // just after one, and a block.
    placeAhead_ = clock.bufferFrames + clock.periodFrames + MarginFrames;
}

void SynthTimeline::followWritten(const RenderClock& clock, bool restart) {
    // A message sent since the last request is placed now, by the clock: it
    // must fall no earlier than where this request starts, which stands this
    // far ahead of the clock as it was at the last request.
    const double reach = static_cast<double>(clock.writtenFrames) - framesAt(lastRequestMicros_);
    const bool cycleLost = clock.requestLine == RenderClock::LineMove::CycleLost;
    if (restart || cycleLost || reach < reaches_.most() - JumpMs * sampleRate_ / 1000) {
        // Until requests tell, the one granted stands for them. After a lost
        // cycle the sound stands a cycle later with its requests: from here.
        reaches_.restart(clock.nowMicros, cycleLost
                                              ? reach
                                              : static_cast<double>(clock.writtenFrames) -
                                                    framesAt(clock.nowMicros) + clock.periodFrames);
        heldReach_.reset();
    } else if (clock.requestLine == RenderClock::LineMove::GraphChanged) {
        // A graph that reads less far ahead of the same sound has its requests
        // stand further behind the clock: its messages keep their place, and
        // when it reads as far ahead again, they meet it where it was.
        heldReach_ = std::max(heldReach_.value_or(reaches_.most()), reaches_.most());
        reaches_.restart(clock.nowMicros, reach);
    } else {
        reaches_.add(clock.nowMicros, reach);
    }
    origin_ = std::max(reaches_.most(), heldReach_.value_or(reaches_.most()));
    placeAhead_ = MarginFrames;
}

double SynthTimeline::framesAt(std::int64_t micros) const {
    return static_cast<double>(micros) * sampleRate_ / MicrosPerSecond;
}

void SynthTimeline::takeArrivals(const RenderClock& clock) {
    followClock(clock);
    const std::size_t tail = tail_.load(std::memory_order_acquire);
    std::size_t head = head_.load(std::memory_order_relaxed);
    for (; head != tail; ++head) {
        Message message = ring_[head % Capacity];
        message.frame = frameOnClockAt(message.sentMicros) + placeAhead_;
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
