#pragma once
// Measurements on rendered or recorded sound: level, pitch, and where notes
// begin. Worked out here on their own, not through the program's code.

#include <cstddef>
#include <span>
#include <vector>

namespace testsupport {

double rms(std::span<const float> samples);

// The pitch (as fundamentalHz) and level (RMS) of a steady stretch of sound.
struct PitchAndLevel {
    double hz = 0;
    double level = 0;
};
PitchAndLevel pitchAndLevel(std::span<const float> samples, int sampleRate);

// Start of the window of the given length with the most energy.
std::size_t loudestWindow(std::span<const float> samples, std::size_t length);

// The fundamental frequency of a steady pitched sound between minHz and maxHz:
// the period from the autocorrelation, then refined on a fine DFT grid around
// it. 0 when nothing periodic is found.
double fundamentalHz(std::span<const float> samples, int sampleRate, double minHz = 50,
                     double maxHz = 2000);

// The same from the autocorrelation alone, for a short stretch just after an
// attack: there the partials have not settled, and a percussive sound's
// strongest one near the fundamental would pull the DFT refinement off it.
double attackPitchHz(std::span<const float> samples, int sampleRate, double minHz, double maxHz);

// Magnitude of the component at frequency hz (Hann window), for comparing
// timbres.
double magnitudeAt(std::span<const float> samples, int sampleRate, double hz);

// Where sounds begin after silence: 10 ms frames rising above a fifth of the
// loudest frame after at least 300 ms below a fiftieth of it.
std::vector<std::size_t> onsetsAfterSilence(std::span<const float> samples, int sampleRate);

// Where attacks begin, also over the decay of a sound before: each point where
// the level (RMS over 5 ms) at least doubles within 8 ms and exceeds
// threshold; attacks closer than minGapMs to the one before are the same one.
std::vector<std::size_t> attackOnsets(std::span<const float> samples, int sampleRate,
                                      double threshold, int minGapMs);

}  // namespace testsupport
