#include "RandomScore.h"

#include <random>

namespace scoretest {

std::unique_ptr<Score> randomScore(std::uint32_t seed, RandomScoreOptions options) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto song = emptyScore();
    song->tempo = static_cast<std::int16_t>(pick(1, 400));
    for (int track = 0; track < score::TrackCount; ++track) {
        // A few instruments per track, so that some notes repeat the last one.
        const int palette[4] = {pick(0, 127), pick(0, 174), pick(128, 174), pick(0, 174)};
        // Some tracks end early, so the lines of the file differ in length.
        const int lastColumn = pick(0, 2) == 0 ? pick(0, 300) : score::LastColumn;
        int column = pick(0, 30);
        while (column <= lastColumn) {
            const int row = pick(0, 127);
            const int instrument = palette[pick(0, 3)];
            const int length = pick(1, 12);
            for (int i = 0; i < length && column <= lastColumn; ++i, ++column) {
                int cellRow = row;
                if (i > 0 && options.shiftedHeldCells && pick(0, 5) == 0) cellRow = pick(0, 127);
                song->notes[track][column] =
                    static_cast<std::int16_t>(i == 0 ? cellRow : score::HeldOffset + cellRow);
                song->instruments[track][column] = static_cast<std::int16_t>(instrument);
            }
            column += pick(0, 3) == 0 ? 0 : pick(1, 40);
        }
    }
    return song;
}

std::unique_ptr<Score> denseScore() {
    auto song = emptyScore();
    std::mt19937 random(7);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int track = 0; track < score::TrackCount; ++track) {
        int column = 0;
        while (column <= score::LastColumn) {
            const int row = pick(0, 127);
            const int instrument = pick(0, 174);
            // Mostly one-column notes, each with its own instrument: the
            // largest file a score can give.
            const int length = pick(0, 7) == 0 ? 2 : 1;
            for (int i = 0; i < length && column <= score::LastColumn; ++i, ++column) {
                song->notes[track][column] =
                    static_cast<std::int16_t>(i == 0 ? row : score::HeldOffset + row);
                song->instruments[track][column] = static_cast<std::int16_t>(instrument);
            }
        }
    }
    return song;
}

}  // namespace scoretest
