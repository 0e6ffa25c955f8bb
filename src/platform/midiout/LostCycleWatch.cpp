#include "platform/midiout/LostCycleWatch.h"

namespace midiout {
namespace {

// A stream paused this long has no line to fall behind; one that starts
// again draws it once its requests have settled.
constexpr std::int64_t PauseMicros = 100'000;
constexpr std::int64_t SettleMicros = 100'000;
// A lost cycle moves the line by a whole cycle; the unevenness of requests
// that come on time is a small part of one.
constexpr double LostPartOfCycle = 0.85;

}  // namespace

bool LostCycleWatch::lostCycle(std::int64_t nowMicros, std::int64_t askedFrames, int cycleFrames) {
    const double offset =
        static_cast<double>(askedFrames) - static_cast<double>(nowMicros) * sampleRate_ / 1e6;
    const bool paused = started_ && nowMicros - lastMicros_ > PauseMicros;
    lastMicros_ = nowMicros;
    if (!started_ || paused) {
        started_ = true;
        startMicros_ = nowMicros;
        line_.restart(nowMicros, offset);
        recent_.restart(nowMicros, offset);
        return false;
    }
    recent_.add(nowMicros, offset);
    if (nowMicros - startMicros_ < SettleMicros) {
        // How the requests fell while the stream started says nothing of
        // where they stand.
        line_.restart(nowMicros, recent_.most());
        return false;
    }
    line_.add(nowMicros, offset);
    if (recent_.most() > line_.most() - LostPartOfCycle * cycleFrames) return false;
    startMicros_ = nowMicros;
    line_.restart(nowMicros, offset);
    recent_.restart(nowMicros, offset);
    return true;
}

}  // namespace midiout
