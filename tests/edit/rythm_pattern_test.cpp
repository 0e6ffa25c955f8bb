// The rhythm tools' work on the grids: the pattern taken into the clipboard,
// its copies along the score, their edges, and numbers from any text.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "edit/RythmPattern.h"

namespace edit {
namespace {

using score::Grid;
using score::HeldOffset;

constexpr std::int16_t held(int row) {
    return static_cast<std::int16_t>(HeldOffset + row);
}

// The grids are large; the tests keep them off the stack.
struct Grids {
    Grid notes{};
    Grid instruments{};
    Grid clipNotes{};
    Grid clipInstruments{};
    std::int16_t clipLength = 0;
    score::HiddenTracks hidden{};

    Grids() {
        score::clearScore(notes, instruments);
        score::clearScore(clipNotes, clipInstruments);
    }
};

// A different one-column note on every track and column of 0..last, with an
// instrument that names its place.
void fillDistinct(Grids& g, int last) {
    for (int track = 0; track < score::TrackCount; ++track) {
        for (int column = 0; column <= last; ++column) {
            g.notes[track][column] = static_cast<std::int16_t>((track * 7 + column) % 128);
            g.instruments[track][column] = static_cast<std::int16_t>(128 + (track + column) % 47);
        }
    }
}

class RythmPatternTest : public ::testing::Test {
protected:
    std::unique_ptr<Grids> g = std::make_unique<Grids>();
};

TEST_F(RythmPatternTest, ThePatternIsTheRhythmTracksFirstColumnsAlone) {
    fillDistinct(*g, 20);
    // Whatever the clipboard held before is gone, melody rows included.
    for (auto& row : g->clipNotes) row.fill(5);
    for (auto& row : g->clipInstruments) row.fill(9);

    copyRythmPattern(g->notes, g->instruments, 8, g->hidden, g->clipNotes, g->clipInstruments,
                     g->clipLength);

    EXPECT_EQ(g->clipLength, 8);
    for (int track = 0; track < score::TrackCount; ++track) {
        for (int column = 0; column <= score::LastColumn; ++column) {
            const bool copied = track >= 8 && column <= 8;
            SCOPED_TRACE(testing::Message() << "track " << track << " column " << column);
            ASSERT_EQ(g->clipNotes[track][column], copied ? g->notes[track][column] : -1);
            ASSERT_EQ(g->clipInstruments[track][column],
                      copied ? g->instruments[track][column] : 0);
        }
    }
}

TEST_F(RythmPatternTest, BeatsOutsideTheScoreAreKeptWithinIt) {
    fillDistinct(*g, score::LastColumn);
    copyRythmPattern(g->notes, g->instruments, 5000, g->hidden, g->clipNotes, g->clipInstruments,
                     g->clipLength);
    EXPECT_EQ(g->clipLength, 1000);
    EXPECT_EQ(g->clipNotes[12][1000], g->notes[12][1000]);

    copyRythmPattern(g->notes, g->instruments, -7, g->hidden, g->clipNotes, g->clipInstruments,
                     g->clipLength);
    EXPECT_EQ(g->clipLength, 0);
    EXPECT_EQ(g->clipNotes[12][0], g->notes[12][0]);
    EXPECT_EQ(g->clipNotes[12][1], -1);
}

// The design values: Beats 8, Repeat 8, Notes 60, cursor at column 0.
TEST_F(RythmPatternTest, TheDesignPatternRepeatsEveryEightColumnsUpToColumn64) {
    fillDistinct(*g, 8);
    const Grid original = g->notes;
    // A note on a melody track across the whole reach, and one on a rhythm
    // track past it.
    g->notes[3][30] = 50;
    g->notes[8][70] = 20;
    copyRythmPattern(g->notes, g->instruments, 8, g->hidden, g->clipNotes, g->clipInstruments,
                     g->clipLength);

    const RythmRepeat repeat =
        repeatRythmPattern(g->notes, g->instruments, g->clipNotes, g->clipInstruments,
                           g->clipLength, 0, 60, 8, g->hidden);

    EXPECT_EQ(repeat.positions, 8);  // 0, 8, ..., 56
    EXPECT_EQ(repeat.nextPosition, 64);
    for (int track = 8; track <= 12; ++track) {
        for (int column = 0; column <= 64; ++column) {
            // Each copy's last column is overwritten by the next copy's first,
            // except the last copy's, which reaches column 64.
            const int patternColumn = column == 64 ? 8 : column % 8;
            SCOPED_TRACE(testing::Message() << "track " << track << " column " << column);
            ASSERT_EQ(g->notes[track][column], original[track][patternColumn]);
            ASSERT_EQ(g->instruments[track][column], g->clipInstruments[track][patternColumn]);
        }
        for (int column = 65; column <= score::LastColumn; ++column) {
            if (track == 8 && column == 70) continue;
            ASSERT_EQ(g->notes[track][column], -1) << "track " << track << " column " << column;
        }
    }
    EXPECT_EQ(g->notes[8][70], 20);
    EXPECT_EQ(g->notes[3][30], 50) << "melody tracks are never written";
    EXPECT_EQ(g->notes[3][0], original[3][0]);
}

TEST_F(RythmPatternTest, AHeldCellRightAfterACopyStartsANoteOfItsOwn) {
    g->clipLength = 3;
    g->clipNotes[11][0] = 60;
    // Track 11 holds a note from column 4 to 9; a copy at 0 ends at column 3.
    g->notes[11][4] = 70;
    for (int column = 5; column <= 9; ++column) g->notes[11][column] = held(70);
    g->instruments[11][6] = 140;
    // Track 12 has a note start right after the copy: it stays as it is.
    g->notes[12][6] = 33;

    repeatRythmPattern(g->notes, g->instruments, g->clipNotes, g->clipInstruments, g->clipLength, 2,
                       2, 8, g->hidden);

    EXPECT_EQ(g->notes[11][2], 60);
    EXPECT_EQ(g->notes[11][5], -1) << "the copy's empty cells overwrite";
    EXPECT_EQ(g->notes[11][6], 70) << "the tail after the copy starts its own note";
    EXPECT_EQ(g->instruments[11][6], 140);
    EXPECT_EQ(g->notes[11][7], held(70));
    EXPECT_EQ(g->notes[12][6], 33);
}

TEST_F(RythmPatternTest, CopiesNearTheEndAreCutAtColumn1000WithoutASeam) {
    // A 9-column pattern; column 1000's neighbour does not exist, and the
    // column after the cut copy (none) gets no seam.
    g->clipLength = 8;
    for (int column = 0; column <= 8; ++column) {
        g->clipNotes[8][column] = static_cast<std::int16_t>(10 + column);
        g->clipInstruments[8][column] = static_cast<std::int16_t>(150 + column);
    }
    g->notes[8][989] = held(5);
    g->notes[9][999] = held(5);

    const RythmRepeat repeat =
        repeatRythmPattern(g->notes, g->instruments, g->clipNotes, g->clipInstruments,
                           g->clipLength, 990, 990 + 60, 8, g->hidden);

    // 990, 998, 1006, ..., 1046: copies from 1006 on write nothing.
    EXPECT_EQ(repeat.positions, 8);
    EXPECT_EQ(repeat.nextPosition, 1054);
    for (int column = 990; column <= 997; ++column) EXPECT_EQ(g->notes[8][column], column - 980);
    EXPECT_EQ(g->notes[8][998], 10) << "the second copy's first column";
    EXPECT_EQ(g->notes[8][999], 11);
    EXPECT_EQ(g->notes[8][1000], 12);
    EXPECT_EQ(g->instruments[8][1000], 152);
    EXPECT_EQ(g->notes[8][989], held(5)) << "nothing before the cursor changes";
    EXPECT_EQ(g->notes[9][999], -1) << "track 9's empty pattern row overwrites";
}

TEST_F(RythmPatternTest, HiddenRhythmTracksAndMelodyTracksKeepEveryCell) {
    fillDistinct(*g, score::LastColumn);
    const Grid before = g->notes;
    const Grid instrumentsBefore = g->instruments;
    g->hidden[12] = true;
    copyRythmPattern(g->notes, g->instruments, 4, g->hidden, g->clipNotes, g->clipInstruments,
                     g->clipLength);
    repeatRythmPattern(g->notes, g->instruments, g->clipNotes, g->clipInstruments, g->clipLength, 0,
                       1000, 5, g->hidden);
    for (int track : {0, 5, 7, 12}) {
        EXPECT_EQ(g->notes[track], before[track]) << "track " << track;
        EXPECT_EQ(g->instruments[track], instrumentsBefore[track]) << "track " << track;
    }
    EXPECT_EQ(g->notes[11][1000], before[11][0]);
}

TEST_F(RythmPatternTest, AStepThatCannotAdvanceWritesNothingAndEnds) {
    g->clipLength = 2;
    g->clipNotes[8][0] = 44;
    for (int step : {0, -8, -32768}) {
        const RythmRepeat repeat =
            repeatRythmPattern(g->notes, g->instruments, g->clipNotes, g->clipInstruments,
                               g->clipLength, 10, 500, step, g->hidden);
        EXPECT_EQ(repeat.positions, 0) << "step " << step;
        EXPECT_EQ(repeat.nextPosition, 10) << "step " << step;
    }
    EXPECT_EQ(g->notes[8][10], -1);
}

TEST_F(RythmPatternTest, TheWidestReachAndSmallestStepStillEndAtTheScoresEnd) {
    g->clipLength = 0;
    g->clipNotes[10][0] = 12;
    const RythmRepeat repeat =
        repeatRythmPattern(g->notes, g->instruments, g->clipNotes, g->clipInstruments,
                           g->clipLength, 0, 32767, 1, g->hidden);
    EXPECT_EQ(repeat.positions, 32768);
    EXPECT_GE(repeat.nextPosition, 1000);
    for (int column = 0; column <= score::LastColumn; ++column) {
        ASSERT_EQ(g->notes[10][column], 12) << "column " << column;
    }
}

TEST_F(RythmPatternTest, AClipboardLengthOutsideTheScoreIsKeptWithinIt) {
    g->clipNotes[8].fill(3);
    EXPECT_TRUE(pasteRythmCopy(g->notes, g->instruments, g->clipNotes, g->clipInstruments, 4000,
                               500, g->hidden));
    EXPECT_EQ(g->notes[8][1000], 3);
    EXPECT_EQ(g->notes[8][499], -1);
    EXPECT_FALSE(pasteRythmCopy(g->notes, g->instruments, g->clipNotes, g->clipInstruments, 8, 1001,
                                g->hidden));
}

TEST(RythmNumbers, BeatsRepeatAndNotesReadTheTextsLeadingNumber) {
    EXPECT_EQ(rythmNumber("8"), 8);
    EXPECT_EQ(rythmNumber("  12 beats"), 12);
    EXPECT_EQ(rythmNumber("abc"), 0);
    EXPECT_EQ(rythmNumber(""), 0);
    EXPECT_EQ(rythmNumber("8.5"), 8);
    EXPECT_EQ(rythmNumber("9.5"), 10);
    EXPECT_EQ(rythmNumber("-3"), -3);
    // Beyond 16 bits the number is held at the end of the range.
    EXPECT_EQ(rythmNumber("70000"), 32767);
    EXPECT_EQ(rythmNumber("-1e300"), -32768);

    EXPECT_EQ(rythmBeats("8"), 8);
    EXPECT_EQ(rythmBeats("-3"), 0);
    EXPECT_EQ(rythmBeats("1000.4"), 1000);
    EXPECT_EQ(rythmBeats("5000"), 1000);
    EXPECT_EQ(rythmBeats("x"), 0);

    // The sum is rounded, not Notes alone.
    EXPECT_EQ(rythmReach(0, "60"), 60);
    EXPECT_EQ(rythmReach(10, "2.5"), 12);
    EXPECT_EQ(rythmReach(11, "2.5"), 14);
    EXPECT_EQ(rythmReach(1000, "1e9"), 32767);
    EXPECT_EQ(rythmReach(5, "-1e9"), -32768);
}

TEST(RythmNumbers, ASliderReadsFiftyUnitsAStepRoundedHalfToEven) {
    constexpr float strip = 2580;  // 172 pixels in twips
    EXPECT_EQ(rythmSliderValue(400, strip), 8);
    EXPECT_EQ(rythmSliderValue(125, strip), 2);
    EXPECT_EQ(rythmSliderValue(175, strip), 4);
    EXPECT_EQ(rythmSliderValue(224, strip), 4);
    EXPECT_EQ(rythmSliderValue(0, strip), 0);
    // Dragged past either end, the strip keeps its end value.
    EXPECT_EQ(rythmSliderValue(-900, strip), 0);
    EXPECT_EQ(rythmSliderValue(90000, strip), 52);
}

}  // namespace
}  // namespace edit
