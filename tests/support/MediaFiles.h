#pragma once
// Small sound and MIDI files for the player and recorder tests, written here
// with libsndfile and by hand, not by the program.

#include <string>

namespace testsupport {

// A 16-bit WAV file of a sine tone at half scale. With rightHz set it is a
// stereo file, the left channel at hz and the right one at rightHz.
bool writeToneWav(const std::string& path, double hz, double seconds, double rightHz = 0);

// A one-track MIDI file at 96 ticks a beat and 120 beats a minute: a piano
// note of the given key held for the given number of beats.
bool writeNoteMidi(const std::string& path, int key, int beats);

}  // namespace testsupport
