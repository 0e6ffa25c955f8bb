#pragma once
// The mapper: the built-in General MIDI synthesizer playing to the default
// audio output. The SoundFont is loaded by the first successful open and the
// synthesizer and its audio stream are kept for the life of the process, so the
// frequent close and reopen cost next to nothing. After some seconds of silence
// the stream pauses to spare the processor, and the next message resumes it.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/midiout/MidiOut.h"

namespace midiout {

std::shared_ptr<Device> makeMapperDevice();

// The audio stream's current latency in microseconds, -1 while the mapper has
// never been opened or the server cannot tell yet.
long long mapperLatencyMicroseconds();

// Frames handed to the audio output so far; grows once the server is taking
// the synthesizer's sound.
std::int64_t mapperFramesPlayed();

// Dropouts of the synthesizer's sound so far, over every stream it has had:
// the underruns its server reported and the cycles the server lost for it.
int mapperDropouts();

// Why the last open of the mapper failed, or why it cannot be heard; "" when
// it is heard.
std::string mapperLastError();

// True while the audio stream is paused after a long silence; the next message
// to the mapper resumes it.
bool mapperAsleep();

// The silence after which the audio stream pauses: 8 s unless set here (tests
// shorten it). Applies from the next stretch of silence on.
void setMapperQuietPeriod(std::chrono::milliseconds period);

}  // namespace midiout
