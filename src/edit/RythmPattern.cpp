#include "edit/RythmPattern.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "edit/ColumnEdits.h"
#include "score/NumberText.h"

namespace edit {

namespace {

constexpr double Int16Low = -32768.0;
constexpr double Int16High = 32767.0;

std::int16_t roundWithin(double value, double low, double high) {
    // Clamped first, so the rounding always fits.
    return score::roundToInt16(std::clamp(value, low, high)).value_or(0);
}

int clampedClipLength(int clipLength) {
    return std::clamp(clipLength, 0, score::LastColumn);
}

// The melody tracks are never the rhythm tools' to read or write.
score::HiddenTracks rythmTracksSkipped(const score::HiddenTracks& hidden) {
    score::HiddenTracks skipped = hidden;
    for (int track = 0; track < FirstRythmTrack; ++track) skipped[track] = true;
    return skipped;
}

}  // namespace

std::int16_t rythmNumber(std::string_view text) {
    return roundWithin(score::leadingNumber(text), Int16Low, Int16High);
}

std::int16_t rythmBeats(std::string_view text) {
    return roundWithin(score::leadingNumber(text), 0.0, score::LastColumn);
}

std::int16_t rythmReach(std::int16_t cursor, std::string_view notesText) {
    return roundWithin(cursor + score::leadingNumber(notesText), Int16Low, Int16High);
}

std::int16_t rythmSliderValue(float x, float stripWidth) {
    const double width = std::isfinite(stripWidth) ? std::max(0.0f, stripWidth) : 0.0;
    const double within = std::isfinite(x) ? std::clamp(static_cast<double>(x), 0.0, width) : 0.0;
    return roundWithin(within / 10.0 / 5.0, Int16Low, Int16High);
}

void copyRythmPattern(const score::Grid& notes, const score::Grid& instruments, int beats,
                      const score::HiddenTracks& hidden, score::Grid& clipNotes,
                      score::Grid& clipInstruments, std::int16_t& clipLength) {
    const ColumnRange pattern{0, clampedClipLength(beats)};
    copyColumns(notes, instruments, pattern, rythmTracksSkipped(hidden), clipNotes, clipInstruments,
                clipLength);
}

bool pasteRythmCopy(score::Grid& notes, score::Grid& instruments, const score::Grid& clipNotes,
                    const score::Grid& clipInstruments, int clipLength, int position,
                    const score::HiddenTracks& hidden) {
    return pasteColumns(notes, instruments, clipNotes, clipInstruments, clipLength, position,
                        rythmTracksSkipped(hidden))
        .has_value();
}

RythmRepeat repeatRythmPattern(score::Grid& notes, score::Grid& instruments,
                               const score::Grid& clipNotes, const score::Grid& clipInstruments,
                               int clipLength, int start, int reach, int step,
                               const score::HiddenTracks& hidden) {
    RythmRepeat result;
    result.nextPosition = score::saturate16(start);
    if (step < 1 || start > reach) return result;

    // Copies past the score write nothing, so the loop stops there and the
    // counter's end is worked out instead of stepped through.
    const long lastWritten = std::min<long>(reach, score::LastColumn);
    for (long position = start; position <= lastWritten; position += step) {
        pasteRythmCopy(notes, instruments, clipNotes, clipInstruments, clipLength,
                       static_cast<int>(position), hidden);
    }
    const long positions = (static_cast<long>(reach) - start) / step + 1;
    result.positions = static_cast<int>(positions);
    result.nextPosition = score::saturate16(start + positions * step);
    return result;
}

}  // namespace edit
