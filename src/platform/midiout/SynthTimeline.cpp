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
// Further behind than this, a note is no longer heard late but missed.
constexpr std::int64_t StaleMicros = 100'000;
// The synthesizer frees ended voices and empties its own event queue only as
// it renders a block; given more at once it drops new notes and, once the
// queue overflows, note offs too. So many is a column of every channel's
// instrument, note off and note on, and to spare.
constexpr int MessagesPerBlock = 64;

}  // namespace

SynthTimeline::SynthTimeline(GeneralMidiSynth& synth, int sampleRate)
    : synth_(synth), sampleRate_(sampleRate) {
    // The audio thread never allocates: room for a full queue and as many
    // waiting for their frame.
    placed_.reserve(2 * Capacity);
}

void SynthTimeline::post(std::int64_t sentMicros, std::uint8_t status, std::uint8_t data1,
                         std::uint8_t data2) {
    // Status 0 stands for every note off; no MIDI message has it.
    if (status == 0) return;
    push({sentMicros, status, data1, data2, 0});
}

void SynthTimeline::postNotesOff(std::int64_t sentMicros) {
    push({sentMicros, 0, 0, 0, 0});
}

void SynthTimeline::push(const Message& message) {
    const std::lock_guard lock(senders_);
    if (!straight_.load(std::memory_order_acquire)) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) < Capacity) {
            ring_[tail % Capacity] = message;
            tail_.store(tail + 1, std::memory_order_release);
            return;
        }
        // The stream has stopped asking: no queue would do, and no message
        // may pass one sent before it.
        straight_.store(true, std::memory_order_release);
    }
    const std::lock_guard handover(handover_);
    playWaiting();
    playStraight(message);
}

// With senders_ and handover_ held.
void SynthTimeline::playWaiting() {
    for (const Message& message : placed_) playStraight(message);
    placed_.clear();
    const std::size_t tail = tail_.load(std::memory_order_acquire);
    std::size_t head = head_.load(std::memory_order_relaxed);
    for (; head != tail; ++head) playStraight(ring_[head % Capacity]);
    head_.store(head, std::memory_order_release);
}

// With handover_ held. No one hears the synthesizer meanwhile: it renders
// into nothing, a block now and then.
//
// A note that begins and ends while no one hears the synthesizer never
// begins: thousands of them would crowd its voices, and sound on in their
// release once it is heard again. So a note on waits until something of its
// channel other than its own note off comes, or the stream asks again.
void SynthTimeline::playStraight(const Message& message) {
    if (++straightSinceBlock_ == MessagesPerBlock) {
        straightSinceBlock_ = 0;
        synth_.render(straightBlock_.data(), SynthBlockFrames);
    }
    if (message.status == 0) {
        waitingNoteOns_.fill(0);
        waitingNotes_ = 0;
    } else if (message.isNoteOn()) {
        std::uint8_t& waiting = waitingNoteOns_[message.noteSlot()];
        // Struck again: the first stroke sounds.
        if (waiting != 0) synth_.send(message.status, message.data1, waiting);
        waitingNotes_ += waiting == 0 ? 1 : 0;
        waiting = message.data2;
        return;
    } else if (message.isNoteOff()) {
        std::uint8_t& waiting = waitingNoteOns_[message.noteSlot()];
        waitingNotes_ -= waiting != 0 ? 1 : 0;
        waiting = 0;
    } else if (message.status < 0xF0) {
        playWaitingNoteOns(message.status & 0x0F);
    }
    play(message);
}

// Of one channel, or of every one (-1).
void SynthTimeline::playWaitingNoteOns(int channel) {
    for (int each = 0; waitingNotes_ > 0 && each < 16; ++each) {
        if (channel >= 0 && each != channel) continue;
        for (int key = 0; key < 128; ++key) {
            std::uint8_t& waiting = waitingNoteOns_[each * 128 + key];
            if (waiting == 0) continue;
            synth_.send(static_cast<std::uint8_t>(0x90 | each), static_cast<std::uint8_t>(key),
                        waiting);
            waiting = 0;
            --waitingNotes_;
        }
    }
}

bool SynthTimeline::pending() const {
    const std::unique_lock handover(handover_, std::try_to_lock);
    // Only a sender playing what waited holds it.
    if (!handover) return true;
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
    const bool cycleLost = clock.requestLine == LostCycleWatch::Verdict::LostCycle;
    if (restart || cycleLost || reach < reaches_.most() - JumpMs * sampleRate_ / 1000) {
        // Until requests tell, the one granted stands for them. After a lost
        // cycle the sound stands a cycle later with its requests: from here.
        reaches_.restart(clock.nowMicros, cycleLost
                                              ? reach
                                              : static_cast<double>(clock.writtenFrames) -
                                                    framesAt(clock.nowMicros) + clock.periodFrames);
        heldReach_.reset();
        placedOnLine_ = false;
    } else if (clock.requestLine == LostCycleWatch::Verdict::GraphChanged) {
        // A graph that reads less far ahead of the same sound has its requests
        // stand further behind the clock: its messages keep their place, and
        // when it reads as far ahead again, they meet it where it was. Before
        // any message (a stream whose graph settles as it starts) there is no
        // place to keep.
        if (placedOnLine_) {
            heldReach_ = std::max(heldReach_.value_or(reaches_.most()), reaches_.most());
        }
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
    // Without room for them all the oldest placed play at once: early, but
    // in their turn.
    const std::size_t room = placed_.capacity() - placed_.size();
    if (tail - head > room) {
        const auto early = placed_.begin() + static_cast<std::ptrdiff_t>(tail - head - room);
        std::for_each(placed_.begin(), early,
                      [this](const Message& message) { playStraight(message); });
        placed_.erase(placed_.begin(), early);
        playWaitingNoteOns(-1);
    }
    for (; head != tail; ++head) {
        Message message = ring_[head % Capacity];
        message.frame = frameOnClockAt(message.sentMicros) + placeAhead_;
        // Never ahead of one sent before it, whatever the clock did between.
        if (!placed_.empty()) message.frame = std::max(message.frame, placed_.back().frame);
        placed_.push_back(message);
        placedOnLine_ = true;
    }
    head_.store(head, std::memory_order_release);
    forgetNotesMissed(clock.writtenFrames - framesAt(StaleMicros));
}

// After the stream lapsed (a server that hung), a note that began and ended
// before what can still be heard is not played at all: a burst of them would
// crowd the synthesizer's voices and sound on in their release. A note still
// held plays, late; so does all else, in order.
void SynthTimeline::forgetNotesMissed(double beforeFrame) {
    if (placed_.empty() || static_cast<double>(placed_.front().frame) >= beforeFrame) return;
    constexpr std::int32_t Closed = -1;
    constexpr std::int32_t Doubled = -2;  // struck twice: its note off ends both
    openNotes_.fill(Closed);
    std::size_t missed = 0;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        Message& message = placed_[i];
        if (static_cast<double>(message.frame) >= beforeFrame) break;
        if (message.status == 0) {
            openNotes_.fill(Closed);
            continue;
        }
        if (!message.isNoteOn() && !message.isNoteOff()) continue;
        std::int32_t& open = openNotes_[message.noteSlot()];
        if (message.isNoteOn()) {
            open = open == Closed ? static_cast<std::int32_t>(i) : Doubled;
        } else {
            if (open >= 0) {
                placed_[static_cast<std::size_t>(open)].missed = true;
                message.missed = true;
                missed += 2;
            }
            open = Closed;
        }
    }
    if (missed == 0) return;
    placed_.erase(std::remove_if(placed_.begin(), placed_.end(),
                                 [](const Message& message) { return message.missed; }),
                  placed_.end());
}

void SynthTimeline::playPending() {
    const std::lock_guard lock(senders_);
    const std::lock_guard handover(handover_);
    playWaiting();
    playWaitingNoteOns(-1);
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
    const std::unique_lock handover(handover_, std::try_to_lock);
    if (!handover) {
        // A sender plays what waited, rendering as it goes: this request
        // stays silent, the stream had lapsed anyway.
        std::fill(interleaved, interleaved + 2 * static_cast<std::ptrdiff_t>(frames), 0.0f);
        return true;
    }
    // The queue is empty while messages go straight: they go to it again.
    straight_.store(false, std::memory_order_release);
    // The notes still held when the stream asks again sound from here.
    playWaitingNoteOns(-1);
    takeArrivals(clock);
    const bool hadMessages = !placed_.empty();
    const std::int64_t end = clock.writtenFrames + frames;
    std::int64_t position = clock.writtenFrames;
    std::size_t played = 0;
    std::int64_t blockStart = position;
    int takenInBlock = 0;
    for (; played < placed_.size(); ++played) {
        // One that came too late for its frame plays at once, but no more of
        // them a block than the synthesizer takes: after a lapse of the
        // stream a burst of them is spread.
        std::int64_t at = std::max(placed_[played].frame, position);
        if (takenInBlock == MessagesPerBlock) at = std::max(at, blockStart + SynthBlockFrames);
        if (at >= end) break;
        if (at > position) {
            synth_.render(interleaved + (position - clock.writtenFrames) * 2,
                          static_cast<int>(at - position));
            position = at;
        }
        if (position >= blockStart + SynthBlockFrames) {
            blockStart = position;
            takenInBlock = 0;
        }
        play(placed_[played]);
        ++takenInBlock;
    }
    if (end > position) {
        synth_.render(interleaved + (position - clock.writtenFrames) * 2,
                      static_cast<int>(end - position));
    }
    placed_.erase(placed_.begin(), placed_.begin() + static_cast<std::ptrdiff_t>(played));
    return hadMessages;
}

}  // namespace midiout
