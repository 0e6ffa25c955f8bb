#include "platform/midiout/LostCycleWatch.h"

#include <algorithm>
#include <cstdlib>

namespace midiout {
namespace {

// A stream paused this long has no line to fall behind; one that starts
// again draws it once its requests have settled.
constexpr std::int64_t PauseMicros = 100'000;
constexpr std::int64_t SettleMicros = 100'000;
// A graph that changed its cycle moves the line again for a while, by a cycle
// or so at a time, as it settles.
constexpr std::int64_t GraphSettleMicros = 1'000'000;
// A lost cycle moves the line by a whole cycle; the unevenness of requests
// that come on time is a small part of one.
constexpr double LostPartOfCycle = 0.85;
// The requests since the fall began, as far back as the fall is seen late.
constexpr std::int64_t FallLeadMicros = 100'000;
// The sizes of the graph's cycle as it runs: a few rounds of its requests at
// any cycle (43 ms at the longest), and not those of one it ran before.
constexpr std::int64_t SizeMemoryMicros = 200'000;
// A size rounds its cycles' fractions of a frame either way.
constexpr int SizeSlackFrames = 2;

}  // namespace

void LostCycleWatch::startAfresh(std::int64_t nowMicros, double offset, std::int64_t settleMicros) {
    startMicros_ = nowMicros;
    settleMicros_ = settleMicros;
    line_.restart(nowMicros, offset);
    recent_.restart(nowMicros, offset);
}

bool LostCycleWatch::newSize(std::int64_t nowMicros, int frames) {
    const auto known = [&](const SeenSize& seen) {
        return seen.frames > 0 && nowMicros - seen.micros < SizeMemoryMicros;
    };
    const auto near = [](int a, int b) { return std::abs(a - b) <= SizeSlackFrames; };
    bool seenBefore = false;
    for (const SeenSize& one : sizes_) {
        if (!known(one)) continue;
        if (near(one.frames, frames)) seenBefore = true;
        for (const SeenSize& other : sizes_) {
            if (known(other) && near(one.frames + other.frames, frames)) seenBefore = true;
        }
    }
    // Kept in the place of the same size, or else of the oldest.
    auto place = std::find_if(sizes_.begin(), sizes_.end(),
                              [&](const SeenSize& seen) { return near(seen.frames, frames); });
    if (place == sizes_.end()) {
        place = std::min_element(
            sizes_.begin(), sizes_.end(),
            [](const SeenSize& a, const SeenSize& b) { return a.micros < b.micros; });
    }
    *place = {frames, nowMicros};
    return !seenBefore;
}

LostCycleWatch::Verdict LostCycleWatch::judge(std::int64_t nowMicros, std::int64_t askedFrames,
                                              int requestFrames, int cycleFrames) {
    const double offset =
        static_cast<double>(askedFrames) - static_cast<double>(nowMicros) * sampleRate_ / 1e6;
    const bool paused = started_ && nowMicros - lastMicros_ > PauseMicros;
    lastMicros_ = nowMicros;
    if (!started_ || paused) {
        started_ = true;
        sizes_.fill({});
        newSize(nowMicros, requestFrames);
        startAfresh(nowMicros, offset, SettleMicros);
        return Verdict::None;
    }
    if (newSize(nowMicros, requestFrames)) newSizeMicros_ = nowMicros;
    recent_.add(nowMicros, offset);
    if (nowMicros - startMicros_ < settleMicros_) {
        // How the requests fell while the stream started says nothing of
        // where they stand.
        line_.restart(nowMicros, recent_.most());
        return Verdict::None;
    }
    line_.add(nowMicros, offset);
    if (recent_.most() > line_.most() - LostPartOfCycle * cycleFrames) return Verdict::None;
    // The new sizes of a graph that changed its cycle come with its fall or
    // just after, and the fall is seen only once it has held a while.
    const bool graphChanged = newSizeMicros_ >= nowMicros - FallLeadMicros;
    startAfresh(nowMicros, offset, graphChanged ? GraphSettleMicros : SettleMicros);
    return graphChanged ? Verdict::GraphChanged : Verdict::LostCycle;
}

}  // namespace midiout
