#pragma once
// The most a quantity reached over the last Spans x SpanMicros, kept per span:
// a few numbers, nothing allocated, fit for the audio thread.

#include <algorithm>
#include <array>
#include <cstdint>

namespace midiout {

template <int Spans, std::int64_t SpanMicros>
class RecentMost {
public:
    // Forgets what came before: every span holds value.
    void restart(std::int64_t micros, double value) {
        spans_.fill(value);
        spanStartMicros_ = micros;
    }

    void add(std::int64_t micros, double value) {
        while (micros - spanStartMicros_ >= SpanMicros) {
            std::rotate(spans_.rbegin(), spans_.rbegin() + 1, spans_.rend());
            spans_.front() = value;
            spanStartMicros_ += SpanMicros;
        }
        spans_.front() = std::max(spans_.front(), value);
    }

    double most() const { return *std::max_element(spans_.begin(), spans_.end()); }

private:
    std::array<double, Spans> spans_{};  // the current one first
    std::int64_t spanStartMicros_ = 0;
};

// Over the last second, per tenth.
using LastSecondMost = RecentMost<10, 100'000>;

}  // namespace midiout
