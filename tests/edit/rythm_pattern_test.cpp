// The rhythm tools on bare grids: the numbers read from their boxes and
// strips, the pattern taken into the clipboard and its copies along the score.

#include <gtest/gtest.h>

#include "edit/GridText.h"
#include "edit/RythmPattern.h"

namespace edittest {
namespace {

TEST(RythmNumbers, TextsAndStripsGiveNumbersWithinTheirRanges) {
    const std::pair<const char*, int> numbers[] = {
        {"8", 8},   {"  12 beats", 12}, {"abc", 0},       {"8.5", 8},         {"9.5", 10},
        {"-3", -3}, {"32767", 32767},   {"32768", 32767}, {"-32769", -32768}, {"1e300", 32767}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(edit::rythmNumber(text), value) << text;
    const std::pair<const char*, int> beats[] = {{"-3", 0},        {"-0.4", 0},    {"8", 8},
                                                 {"1000.4", 1000}, {"1001", 1000}, {"5000", 1000}};
    for (const auto& [text, value] : beats) EXPECT_EQ(edit::rythmBeats(text), value) << text;
    // The sum is rounded, not the typed number alone.
    EXPECT_EQ(edit::rythmReach(10, "2.5"), 12);
    EXPECT_EQ(edit::rythmReach(11, "2.5"), 14);
    EXPECT_EQ(edit::rythmReach(32000, "767"), 32767);
    EXPECT_EQ(edit::rythmReach(32000, "768"), 32767);
    EXPECT_EQ(edit::rythmReach(5, "-1e9"), -32768);
    // A strip 2580 units wide: fifty units a step, halves to even, held at its ends.
    const std::pair<float, int> slider[] = {{400, 8},  {125, 2},   {175, 4},   {224, 4},   {0, 0},
                                            {-900, 0}, {2549, 51}, {2580, 52}, {90000, 52}};
    for (const auto& [x, value] : slider) EXPECT_EQ(edit::rythmSliderValue(x, 2580), value) << x;
}

TEST(RythmPattern, CopyTakesTheShownRhythmTracksOnly) {
    auto g = emptyGrids();
    putCells(g->notes, g->instruments, 7, 0, "1:1 2:2");  // the last melody track
    putCells(g->notes, g->instruments, 8, 0, "+66:136 +66:136 67:1 . 68:2");
    putCells(g->notes, g->instruments, 10, 0, "5:5");
    g->hidden[10] = true;
    edit::copyRythmPattern(g->notes, g->instruments, 3, g->hidden, g->clipNotes, g->clipInstruments,
                           g->clipLength);
    EXPECT_EQ(g->clipLength, 3);
    EXPECT_EQ(cellsText(g->clipNotes, g->clipInstruments, 8, 0, 4), "66:136 +66:136 67:1 .");
    EXPECT_EQ(cellsText(g->clipNotes, g->clipInstruments, 7, 0, 0), "");
    EXPECT_EQ(cellsText(g->clipNotes, g->clipInstruments, 10, 0, 0), "");
    for (const auto& [beats, length] : {std::pair{4000, 1000}, std::pair{-2, 0}}) {
        edit::copyRythmPattern(g->notes, g->instruments, beats, g->hidden, g->clipNotes,
                               g->clipInstruments, g->clipLength);
        EXPECT_EQ(g->clipLength, length) << beats;
    }
}

TEST(RythmPattern, CopiesRepeatAtTheStepUpToTheReachAndStopAtTheScoresEnd) {
    const struct {
        int start, reach, step;
        int positions, next;
        int origin;
        std::string after;
    } cases[] = {
        {0, 7, 2, 4, 8, 0, "1:1 2:2 1:1 2:2 1:1 2:2 1:1 2:2 3:3 ."},
        {3, 3, 5, 1, 8, 2, ". 1:1 2:2 3:3 ."},
        {995, 1100, 4, 27, 1103, 994, ". 1:1 2:2 3:3 . 1:1 2:2"},
        {10, 500, 0, 0, 10, 9, ". ."},
        {10, 500, -8, 0, 10, 9, ". ."},
        {10, 9, 1, 0, 10, 9, ". ."},
    };
    for (const auto& c : cases) {
        auto g = emptyGrids();
        for (int track : {7, 8, 9})
            putCells(g->clipNotes, g->clipInstruments, track, 0, "1:1 2:2 3:3");
        g->hidden[9] = true;
        const auto repeat =
            edit::repeatRythmPattern(g->notes, g->instruments, g->clipNotes, g->clipInstruments, 2,
                                     c.start, c.reach, c.step, g->hidden);
        SCOPED_TRACE(testing::Message() << c.start << " to " << c.reach << " by " << c.step);
        EXPECT_EQ(repeat.positions, c.positions);
        EXPECT_EQ(repeat.nextPosition, c.next);
        EXPECT_EQ(cellsText(g->notes, g->instruments, 8, c.origin, tokenCount(c.after)), c.after);
        EXPECT_EQ(cellsText(g->notes, g->instruments, 7, 0, 0), "") << "a melody track";
        EXPECT_EQ(cellsText(g->notes, g->instruments, 9, 0, 0), "") << "a hidden track";
    }
}

}  // namespace
}  // namespace edittest
