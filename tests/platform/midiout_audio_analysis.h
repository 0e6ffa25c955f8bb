#pragma once
// Measurements on rendered or recorded audio for the synthesizer tests.

#include <cstddef>
#include <span>
#include <vector>

namespace midiout_test {

double rms(std::span<const float> samples);

// Start of the window of the given length with the most energy.
std::size_t loudestWindow(std::span<const float> samples, std::size_t length);

// The fundamental frequency of a pitched sound: the period from the
// autocorrelation, then refined on a fine DFT grid around it. 0 when nothing
// periodic is found.
double fundamentalHz(std::span<const float> samples, int sampleRate);

// Magnitude of the component at frequency hz (Hann window), for comparing
// timbres.
double magnitudeAt(std::span<const float> samples, int sampleRate, double hz);

}  // namespace midiout_test
