#pragma once
// Plays each message to the synthesizer at the moment it was sent plus one
// constant latency, rather than at whichever render request comes next: the
// sender stamps it, and the audio thread places it on the stream's own frame
// clock. Steps sent 125 ms apart are then heard 125 ms apart, to within the
// synthesizer's 64-frame block, however the server's requests fall.
//
// Senders take a lock among themselves; the audio thread takes none.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/midiout/PulseOutput.h"

namespace midiout {

class GeneralMidiSynth;

class SynthTimeline {
public:
    // What the latency holds beyond the stream's buffer: one request's worth,
    // for a message sent just after a request, and a block for the requests'
    // own unevenness.
    static constexpr int MarginFrames = 64;
    static constexpr int Capacity = 4096;

    SynthTimeline(GeneralMidiSynth& synth, int sampleRate);

    // Any thread. False when the queue is full; the caller then plays the
    // message at once.
    bool post(std::int64_t sentMicros, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // Turns every sounding note off, in its place among the messages.
    bool postNotesOff(std::int64_t sentMicros);

    // The audio thread: renders frames, playing each message due in them at
    // its frame. False when it had neither a message nor a pending one.
    bool render(float* interleaved, int frames, const RenderClock& clock);
    // True while messages wait to be played.
    bool pending() const;
    // Plays every waiting message at once, in order: the stream they waited
    // for is gone. Only while no render runs.
    void playPending();
    // The latency from a message's stamp to its sound, for a stream keeping
    // bufferFrames and asked for periodFrames at a time.
    static int latencyFrames(int bufferFrames, int periodFrames) {
        return bufferFrames + periodFrames + MarginFrames;
    }

private:
    struct Message {
        std::int64_t sentMicros = 0;
        std::uint8_t status = 0;  // 0: every note off
        std::uint8_t data1 = 0;
        std::uint8_t data2 = 0;
        std::int64_t frame = 0;  // placed by the audio thread
    };

    bool push(const Message& message);
    void takeArrivals(const RenderClock& clock);
    std::int64_t heardFrameAt(std::int64_t micros) const;
    void play(const Message& message);

    GeneralMidiSynth& synth_;
    const int sampleRate_;

    std::mutex senders_;
    std::array<Message, Capacity> ring_;
    std::atomic<std::size_t> head_{0};  // next to take; the audio thread's
    std::atomic<std::size_t> tail_{0};  // next to fill; the senders'

    // The audio thread's: messages placed and waiting for their frame, and
    // the smoothed offset between the clock and the frames heard.
    std::vector<Message> placed_;
    bool clockKnown_ = false;
    double heardOffset_ = 0.0;  // frames heard minus clock microseconds in frames
    std::int64_t lastCallMicros_ = 0;
};

}  // namespace midiout
