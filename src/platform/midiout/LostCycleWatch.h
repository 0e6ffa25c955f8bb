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

#include <cstdint>

#include "platform/midiout/RecentMost.h"

namespace midiout {

class LostCycleWatch {
public:
    explicit LostCycleWatch(int sampleRate) : sampleRate_(sampleRate) {}

    // At each request, with all the frames asked for up to its end. True once
    // the requests of the last few tens of milliseconds all stood at least
    // most of a cycle behind the line of the second before; then the watch
    // starts afresh from the new line, so one lost cycle is told once.
    bool lostCycle(std::int64_t nowMicros, std::int64_t askedFrames, int cycleFrames);
    // After the stream's queue was dropped or its buffer changed: its line is
    // another. (A pause in the requests restarts it by itself.)
    void restart() { started_ = false; }

private:
    const int sampleRate_;
    bool started_ = false;
    std::int64_t startMicros_ = 0;
    std::int64_t lastMicros_ = 0;
    LastSecondMost line_;
    // Long enough to hold a few requests, so that one which came late is not
    // all it sees.
    RecentMost<2, 25'000> recent_;
};

}  // namespace midiout
