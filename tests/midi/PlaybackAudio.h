#pragma once
// Measurements on a recording of the sound card: where notes begin and at
// which pitch they sound.

#include <cstddef>
#include <span>
#include <vector>

namespace playbacktest {

// Where notes begin: each point where the level (RMS over 5 ms) at least
// doubles within 8 ms and exceeds threshold; onsets closer than minGapMs to the
// one before are the same attack.
std::vector<long> soundOnsets(std::span<const float> samples, int rate, double threshold,
                              int minGapMs);

// The fundamental frequency of a pitched sound between minHz and maxHz, from
// the autocorrelation's first strong peak; 0 when there is none.
double fundamentalHz(std::span<const float> samples, int rate, double minHz, double maxHz);

}  // namespace playbacktest
