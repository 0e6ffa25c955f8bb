#include "support/AudioAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace testsupport {
namespace {

std::vector<double> withoutMean(std::span<const float> samples) {
    double mean = 0;
    for (float s : samples) mean += s;
    mean /= samples.empty() ? 1 : static_cast<double>(samples.size());
    std::vector<double> result(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) result[i] = samples[i] - mean;
    return result;
}

double normalizedCorrelation(const std::vector<double>& x, std::size_t lag) {
    double cross = 0, first = 0, second = 0;
    for (std::size_t i = 0; i + lag < x.size(); ++i) {
        cross += x[i] * x[i + lag];
        first += x[i] * x[i];
        second += x[i + lag] * x[i + lag];
    }
    const double energy = std::sqrt(first * second);
    return energy > 0 ? cross / energy : 0;
}

double hannMagnitude(const std::vector<double>& x, int sampleRate, double hz) {
    const double n = static_cast<double>(x.size());
    const double step = 2 * std::numbers::pi * hz / sampleRate;
    double re = 0, im = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (n - 1));
        re += x[i] * window * std::cos(step * i);
        im -= x[i] * window * std::sin(step * i);
    }
    return std::hypot(re, im) / n;
}

// The frequency of the shortest strong period, from the autocorrelation with
// the peak interpolated between lags; 0 when nothing is periodic.
double periodicityHz(const std::vector<double>& x, int sampleRate, double minHz, double maxHz) {
    const auto minLag = static_cast<std::size_t>(sampleRate / maxHz);
    const auto maxLag = std::min(static_cast<std::size_t>(sampleRate / minHz) + 1, x.size() / 2);
    if (minLag < 2 || maxLag <= minLag + 2) return 0;

    std::vector<double> correlation(maxLag + 2, 0.0);
    for (std::size_t lag = minLag - 1; lag <= maxLag + 1; ++lag) {
        correlation[lag] = normalizedCorrelation(x, lag);
    }
    const double best =
        *std::max_element(correlation.begin() + minLag, correlation.begin() + maxLag);
    if (best < 0.5) return 0;
    // The shortest strong period is the fundamental; its multiples correlate
    // as well and would give octaves below.
    std::size_t period = 0;
    for (std::size_t lag = minLag; lag <= maxLag; ++lag) {
        if (correlation[lag] >= 0.85 * best && correlation[lag] >= correlation[lag - 1] &&
            correlation[lag] >= correlation[lag + 1]) {
            period = lag;
            break;
        }
    }
    if (period == 0) return 0;
    const double before = correlation[period - 1], at = correlation[period],
                 after = correlation[period + 1];
    const double curvature = before - 2 * at + after;
    const double shift = curvature != 0 ? 0.5 * (before - after) / curvature : 0;
    return sampleRate / (static_cast<double>(period) + shift);
}

// RMS levels of consecutive windows, `hop` samples apart.
std::vector<double> levels(std::span<const float> samples, std::size_t window, std::size_t hop) {
    std::vector<double> result;
    for (std::size_t start = 0; start + window <= samples.size(); start += hop) {
        result.push_back(rms(samples.subspan(start, window)));
    }
    return result;
}

}  // namespace

double rms(std::span<const float> samples) {
    if (samples.empty()) return 0;
    double sum = 0;
    for (float s : samples) sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

PitchAndLevel pitchAndLevel(std::span<const float> samples, int sampleRate) {
    return {fundamentalHz(samples, sampleRate), rms(samples)};
}

std::size_t loudestWindow(std::span<const float> samples, std::size_t length) {
    if (samples.size() <= length) return 0;
    double energy = 0;
    for (std::size_t i = 0; i < length; ++i) energy += static_cast<double>(samples[i]) * samples[i];
    double best = energy;
    std::size_t bestStart = 0;
    for (std::size_t start = 1; start + length <= samples.size(); ++start) {
        const double leaving = samples[start - 1];
        const double entering = samples[start + length - 1];
        energy += entering * entering - leaving * leaving;
        if (energy > best) {
            best = energy;
            bestStart = start;
        }
    }
    return bestStart;
}

namespace {

double stretchPitchHz(std::span<const float> samples, int sampleRate, double minHz, double maxHz) {
    const std::vector<double> x = withoutMean(samples);
    const double coarse = periodicityHz(x, sampleRate, minHz, maxHz);
    if (coarse == 0) return 0;
    double refined = coarse, strongest = -1;
    for (double hz = coarse * 0.97; hz <= coarse * 1.03; hz += 0.05) {
        const double magnitude = hannMagnitude(x, sampleRate, hz);
        if (magnitude > strongest) {
            strongest = magnitude;
            refined = hz;
        }
    }
    return refined;
}

}  // namespace

double fundamentalHz(std::span<const float> samples, int sampleRate, double minHz, double maxHz) {
    // A loaded machine can drop a block of the recording; the phase jump pulls
    // a single estimate off by a few per cent. Four stretches of at least 40 ms
    // each, and the median of them, leave a single dropout no say.
    const std::size_t parts = 4;
    const std::size_t part = samples.size() / parts;
    if (part < static_cast<std::size_t>(sampleRate) / 25) {
        return stretchPitchHz(samples, sampleRate, minHz, maxHz);
    }
    std::vector<double> estimates;
    for (std::size_t index = 0; index < parts; ++index) {
        estimates.push_back(
            stretchPitchHz(samples.subspan(index * part, part), sampleRate, minHz, maxHz));
    }
    std::sort(estimates.begin(), estimates.end());
    return (estimates[1] + estimates[2]) / 2;
}

double attackPitchHz(std::span<const float> samples, int sampleRate, double minHz, double maxHz) {
    return periodicityHz(withoutMean(samples), sampleRate, minHz, maxHz);
}

double magnitudeAt(std::span<const float> samples, int sampleRate, double hz) {
    return hannMagnitude(withoutMean(samples), sampleRate, hz);
}

std::vector<std::size_t> onsetsAfterSilence(std::span<const float> samples, int sampleRate) {
    const std::size_t frame = static_cast<std::size_t>(sampleRate) / 100;
    const std::vector<double> level = levels(samples, frame, frame);
    const double loudest = level.empty() ? 0 : *std::max_element(level.begin(), level.end());
    std::vector<std::size_t> onsets;
    int quietFrames = 30;
    for (std::size_t index = 0; index < level.size(); ++index) {
        if (level[index] < loudest / 50) {
            ++quietFrames;
        } else if (level[index] > loudest / 5) {
            if (quietFrames >= 30) onsets.push_back(index * frame);
            quietFrames = 0;
        }
    }
    return onsets;
}

std::vector<std::size_t> attackOnsets(std::span<const float> samples, int sampleRate,
                                      double threshold, int minGapMs) {
    const auto window = static_cast<std::size_t>(sampleRate / 200);  // 5 ms
    const auto hop = static_cast<std::size_t>(sampleRate / 1000);
    const std::size_t lookBack = 8;  // hops
    const std::vector<double> level = levels(samples, window, hop);
    std::vector<std::size_t> onsets;
    long last = -1'000'000;
    for (std::size_t i = lookBack; i < level.size(); ++i) {
        if (level[i] <= threshold || level[i] < 2 * level[i - lookBack]) continue;
        if ((static_cast<long>(i) - last) * 1000 / (sampleRate / static_cast<long>(hop)) <
            minGapMs) {
            continue;
        }
        last = static_cast<long>(i);
        // The window whose end first takes in the attack.
        onsets.push_back((i - lookBack) * hop + window);
    }
    return onsets;
}

}  // namespace testsupport
