#include "PlaybackAudio.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace playbacktest {

namespace {

double rmsOf(std::span<const float> samples) {
    if (samples.empty()) return 0.0;
    double sum = 0.0;
    for (float s : samples) sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

}  // namespace

std::vector<long> soundOnsets(std::span<const float> samples, int rate, double threshold,
                              int minGapMs) {
    const long window = rate / 200;  // 5 ms
    const long hop = rate / 1000;
    const long lookBack = 8;  // hops
    std::vector<double> level;
    for (long start = 0; start + window <= static_cast<long>(samples.size()); start += hop) {
        level.push_back(rmsOf(
            samples.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(window))));
    }
    std::vector<long> onsets;
    long last = -1'000'000;
    for (long i = lookBack; i < static_cast<long>(level.size()); ++i) {
        if (level[i] <= threshold || level[i] < 2 * level[i - lookBack]) continue;
        if ((i - last) * 1000 / (rate / hop) < minGapMs) continue;
        last = i;
        // The window whose end first takes in the attack.
        onsets.push_back((i - lookBack) * hop + window);
    }
    return onsets;
}

double fundamentalHz(std::span<const float> samples, int rate, double minHz, double maxHz) {
    const auto shortest = static_cast<std::size_t>(rate / maxHz);
    const auto longest = static_cast<std::size_t>(rate / minHz) + 1;
    if (samples.size() <= 2 * longest) return 0.0;
    const std::size_t length = samples.size() - longest;
    std::vector<double> correlation(longest + 2, 0.0);
    for (std::size_t lag = shortest - 1; lag <= longest + 1 && lag + length <= samples.size();
         ++lag) {
        double cross = 0.0;
        double first = 0.0;
        double second = 0.0;
        for (std::size_t i = 0; i < length; ++i) {
            cross += static_cast<double>(samples[i]) * samples[i + lag];
            first += static_cast<double>(samples[i]) * samples[i];
            second += static_cast<double>(samples[i + lag]) * samples[i + lag];
        }
        correlation[lag] = first > 0 && second > 0 ? cross / std::sqrt(first * second) : 0.0;
    }
    double best = 0.0;
    for (std::size_t lag = shortest; lag <= longest; ++lag) best = std::max(best, correlation[lag]);
    if (best < 0.5) return 0.0;
    // The shortest period that correlates almost as well as the best one: its
    // multiples correlate as well, and are octaves below.
    for (std::size_t lag = shortest; lag <= longest; ++lag) {
        const double here = correlation[lag];
        if (here >= 0.9 * best && here >= correlation[lag - 1] && here >= correlation[lag + 1]) {
            const double left = correlation[lag - 1];
            const double right = correlation[lag + 1];
            const double curve = left - 2 * here + right;
            const double offset = curve != 0.0 ? 0.5 * (left - right) / curve : 0.0;
            return rate / (static_cast<double>(lag) + offset);
        }
    }
    return 0.0;
}

}  // namespace playbacktest
