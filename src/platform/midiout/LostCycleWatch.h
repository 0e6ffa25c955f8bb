#pragma once
// Tells, from a stream's requests alone, when the server played a cycle of
// silence in its place.
//
// PipeWire's server runs each stream in a graph that wakes once a cycle. When
// a machine holds its real-time threads up for longer than a cycle (a virtual
// machine whose host takes the core away does, for several milliseconds), the
// graph misses the stream's turn and the sink plays silence for it, although
// the stream's queue was full; the server reports no underflow. The trace is
// in the requests. The server asks for what it has played, so the frames it
// has asked for up to each request, against the monotonic clock, stand on one
// line however its requests fall; from a lost cycle on it asks for everything
// a cycle later, and the line falls back by a cycle for good. A request that
// merely comes late falls behind only until the next one.
//
// The line falls just as far, with nothing lost, when the graph changes its
// cycle: another program joining at a shorter one, or the graph settling as a
// stream starts. The server reads less ahead of the sound from then on. That
// change shows in the requests' sizes, each the frames of a whole number of
// cycles: sizes the last few rounds had not seen come with it. A lost cycle
// leaves the sizes as they were. So a fall is judged once it has held for a
// while: with no new size near it, a cycle was lost; with one, the graph
// changed; and a line that comes back was only late.

#include <array>
#include <cstdint>

#include "platform/midiout/RecentMost.h"

namespace midiout {

class LostCycleWatch {
public:
    enum class Verdict {
        None,
        // The server played silence for the stream: a dropout.
        LostCycle,
        // The requests stand on another line, with no sound lost.
        GraphChanged,
    };

    explicit LostCycleWatch(int sampleRate) : sampleRate_(sampleRate) {}

    // At each request, with all the frames asked for up to its end and those
    // of this request. After a verdict other than None the watch starts afresh
    // from the new line, so one change is told once.
    Verdict judge(std::int64_t nowMicros, std::int64_t askedFrames, int requestFrames,
                  int cycleFrames);
    // After the stream's queue was dropped or its buffer changed: its line is
    // another. (A pause in the requests restarts it by itself.)
    void restart() { started_ = false; }

private:
    struct SeenSize {
        int frames = 0;
        std::int64_t micros = 0;
    };

    void startAfresh(std::int64_t nowMicros, double offset, std::int64_t settleMicros);
    // Notes the size; true when the last few rounds had not seen it, alone or
    // as two requests the client took at once.
    bool newSize(std::int64_t nowMicros, int frames);

    const int sampleRate_;
    bool started_ = false;
    std::int64_t startMicros_ = 0;
    std::int64_t settleMicros_ = 0;
    std::int64_t lastMicros_ = 0;
    LastSecondMost line_;
    // Long enough to hold a few requests, so that one which came late is not
    // all it sees.
    RecentMost<2, 25'000> recent_;
    std::int64_t newSizeMicros_ = -1;      // when a size was last new
    std::array<SeenSize, 8> sizes_{};
};

}  // namespace midiout
