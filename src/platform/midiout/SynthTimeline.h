#pragma once
// Plays each message to the synthesizer at the moment it was sent plus one
// constant latency, rather than at whichever render request comes next: the
// sender stamps it, and the audio thread places it on the stream's own frame
// clock. Steps sent 125 ms apart are then heard 125 ms apart, to within the
// synthesizer's 64-frame block, however the server's requests fall.
//
// The clock is the frames heard, as the server reports them, where that
// report is steady: it knows when the sound was played however late our
// thread wakes. A message is then heard what the server keeps after its
// stamp, and a request and a block more.
//
// PipeWire's server lets its report wander by several milliseconds within
// seconds. There the clock is the frames written: the server asks for what
// it has played, so the frames written before a request that came on time
// stand a constant distance ahead of the sound, and a late request only ever
// looks behind that line. A message sent between two requests is placed at
// the second, and must fall no earlier than where it starts; how far that
// stands ahead of the clock at the first, that server, asking on its own
// schedule, does not tell. It is measured, request by request, and a message
// placed as far ahead of its stamp as the most of the last second. Where the
// stream says its requests moved to another line, the measure starts afresh
// after a lost cycle, as the sound moved with them, and holds where it was
// after the graph changed its cycle, as the sound stayed.
//
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/midiout/PulseOutput.h"
#include "platform/midiout/RecentMost.h"

namespace midiout {

class GeneralMidiSynth;

class SynthTimeline {
public:
    // What the latency holds beyond the lead the requests need: a block, for
    // their own unevenness.
    static constexpr int MarginFrames = 64;
    static constexpr int Capacity = 4096;

    SynthTimeline(GeneralMidiSynth& synth, int sampleRate);

    // Any thread. A stream that stops asking (a hung server) fills the
    // queue: the sender then plays everything waiting, and its own message,
    // straight to the synthesizer, and so do the senders after it until the
    // audio thread takes its turn again. Only that path waits for the audio
    // thread, and at most for one render.
    void post(std::int64_t sentMicros, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // Turns every sounding note off, in its place among the messages.
    void postNotesOff(std::int64_t sentMicros);

    // The audio thread: renders frames, playing each message due in them at
    // its frame. False when it had neither a message nor a pending one.
    bool render(float* interleaved, int frames, const RenderClock& clock);
    // True while messages wait to be played.
    bool pending() const;
    // Plays every waiting message at once, in order: the stream they waited
    // for is gone. Only while no render runs.
    void playPending();

private:
    // The synthesizer takes its messages in at each block it renders.
    static constexpr int SynthBlockFrames = 64;

    struct Message {
        std::int64_t sentMicros = 0;
        std::uint8_t status = 0;  // 0: every note off
        std::uint8_t data1 = 0;
        std::uint8_t data2 = 0;
        std::int64_t frame = 0;  // placed by the audio thread
        bool missed = false;

        bool isNoteOn() const { return (status & 0xF0) == 0x90 && data2 > 0; }
        bool isNoteOff() const {
            return (status & 0xF0) == 0x80 || ((status & 0xF0) == 0x90 && data2 == 0);
        }
        // Its channel and key, in a table of every note.
        std::size_t noteSlot() const {
            return static_cast<std::size_t>((status & 0x0F) * 128 + (data1 & 0x7F));
        }
    };

    void push(const Message& message);
    void playWaiting();
    void playStraight(const Message& message);
    void playWaitingNoteOns(int channel);
    void followClock(const RenderClock& clock);
    void followHeard(const RenderClock& clock, bool restart);
    void followWritten(const RenderClock& clock, bool restart);
    void takeArrivals(const RenderClock& clock);
    void forgetNotesMissed(double beforeFrame);
    double framesAt(std::int64_t micros) const;
    std::int64_t frameOnClockAt(std::int64_t micros) const;
    void play(const Message& message);

    GeneralMidiSynth& synth_;
    const int sampleRate_;

    // Taken before handover_ where both are.
    std::mutex senders_;
    std::array<Message, Capacity> ring_;
    std::atomic<std::size_t> head_{0};  // next to take; whoever holds handover_
    std::atomic<std::size_t> tail_{0};  // next to fill; the senders'
    // Who plays the messages and renders the synthesizer: the audio thread,
    // which only tries for it, or a sender playing them straight.
    mutable std::mutex handover_;
    std::atomic<bool> straight_{false};  // set under senders_, cleared under handover_
    int straightSinceBlock_ = 0;         // under handover_
    std::array<float, 2 * SynthBlockFrames> straightBlock_{};  // under handover_
    // Note ons held back while played straight, by channel and key: their
    // velocity, 0 for none; under handover_.
    std::array<std::uint8_t, 16 * 128> waitingNoteOns_{};
    int waitingNotes_ = 0;

    // The audio thread's: messages placed and waiting for their frame; the
    // stream's frame clock against the monotonic one (frame = microseconds in
    // frames + origin_); where the clock is the frames written, how far ahead
    // of it each request of the last second started.
    std::vector<Message> placed_;
    bool clockKnown_ = false;
    std::int64_t lastRequestMicros_ = 0;
    double origin_ = 0.0;
    LastSecondMost reaches_;
    // Per channel and key, the placed note on not yet ended; the audio thread's.
    std::array<std::int32_t, 16 * 128> openNotes_{};
    std::optional<double> heldReach_;  // kept through changes of the graph's cycle
    bool placedOnLine_ = false;        // a message placed since the line began
    int placeAhead_ = 0;               // frames from a stamp's place on the line to its message's
};

}  // namespace midiout
