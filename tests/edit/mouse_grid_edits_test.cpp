// The grid work of mouse editing, without the window: where a pointer lands,
// the drawn note with its seam, and the erase walk.

#include <gtest/gtest.h>

#include "edit/MouseGridEdits.h"

namespace {

using score::Grid;

constexpr std::int16_t held(int row) {
    return static_cast<std::int16_t>(score::HeldOffset + row);
}

class GridEditsTest : public ::testing::Test {
protected:
    void SetUp() override { score::clearScore(notes, instruments); }

    // A note of the given row from first through last, with its instrument.
    void place(int track, int row, int first, int last, std::int16_t instrument) {
        notes[track][first] = static_cast<std::int16_t>(row);
        instruments[track][first] = instrument;
        for (int column = first + 1; column <= last; ++column) {
            notes[track][column] = held(row);
            instruments[track][column] = instrument;
        }
    }

    Grid notes{};
    Grid instruments{};
};

TEST(ViewCellAt, RoundsHalvesToEvenThenTruncatesTowardZero) {
    EXPECT_EQ(edit::viewCellAt(0.0f), 0);
    EXPECT_EQ(edit::viewCellAt(11.0f), 0);
    EXPECT_EQ(edit::viewCellAt(12.0f), 1);
    EXPECT_EQ(edit::viewCellAt(11.5f), 1);  // 12
    EXPECT_EQ(edit::viewCellAt(12.5f), 1);  // 12, the even neighbour
    EXPECT_EQ(edit::viewCellAt(23.5f), 2);  // 24
    EXPECT_EQ(edit::viewCellAt(-5.0f), 0);  // left of the box: -5 \ 12 is 0
    EXPECT_EQ(edit::viewCellAt(-12.0f), -1);
    EXPECT_EQ(edit::viewCellAt(480.0f), 40);
    // Far outside any box the result stays a 16-bit number.
    EXPECT_EQ(edit::viewCellAt(1e9f), 32767);
    EXPECT_EQ(edit::viewCellAt(-1e9f), -32767);
}

TEST_F(GridEditsTest, DrawnNoteIsAStartThenHeldCellsWithTheTrackInstrument) {
    ASSERT_TRUE(edit::writeDrawnNote(notes, instruments, {3, 10, 13, 60, 24}));
    EXPECT_EQ(notes[3][9], score::EmptyCell);
    EXPECT_EQ(notes[3][10], 60);
    for (int column = 11; column <= 13; ++column) {
        EXPECT_EQ(notes[3][column], held(60)) << column;
        EXPECT_EQ(instruments[3][column], 24) << column;
    }
    EXPECT_EQ(instruments[3][10], 24);
    EXPECT_EQ(notes[3][14], score::EmptyCell);
    EXPECT_EQ(instruments[3][14], 0);
    // Other tracks are untouched.
    for (int track = 0; track < score::TrackCount; ++track) {
        if (track != 3) {
            EXPECT_EQ(notes[track][10], score::EmptyCell) << track;
        }
    }
}

TEST_F(GridEditsTest, ReleaseBeforeThePressGivesOneColumn) {
    ASSERT_TRUE(edit::writeDrawnNote(notes, instruments, {0, 5, 3, 70, 1}));
    EXPECT_EQ(notes[0][5], 70);
    EXPECT_EQ(notes[0][4], score::EmptyCell);
    EXPECT_EQ(notes[0][6], score::EmptyCell);
}

TEST_F(GridEditsTest, DrawingOverTheMiddleOfANoteLeavesItsTailANoteOfItsOwn) {
    place(0, 50, 10, 30, 7);
    ASSERT_TRUE(edit::writeDrawnNote(notes, instruments, {0, 15, 20, 62, 24}));
    EXPECT_EQ(notes[0][10], 50);
    EXPECT_EQ(notes[0][14], held(50));
    EXPECT_EQ(notes[0][15], 62);
    EXPECT_EQ(notes[0][20], held(62));
    EXPECT_EQ(instruments[0][20], 24);
    // The seam: the old note starts afresh after the new one, instrument kept.
    EXPECT_EQ(notes[0][21], 50);
    EXPECT_EQ(instruments[0][21], 7);
    EXPECT_EQ(notes[0][22], held(50));
    EXPECT_EQ(notes[0][30], held(50));
}

TEST_F(GridEditsTest, ANoteStartAfterTheDrawnNoteIsLeftAlone) {
    place(2, 40, 21, 25, 3);
    ASSERT_TRUE(edit::writeDrawnNote(notes, instruments, {2, 15, 20, 41, 3}));
    EXPECT_EQ(notes[2][21], 40);
    EXPECT_EQ(notes[2][22], held(40));
}

TEST_F(GridEditsTest, NoteEndingOnTheLastColumnNeedsNoSeamAndNothingRunsPastIt) {
    ASSERT_TRUE(edit::writeDrawnNote(notes, instruments, {1, 998, 1005, 0, 2}));
    EXPECT_EQ(notes[1][998], 0);
    EXPECT_EQ(notes[1][999], held(0));
    EXPECT_EQ(notes[1][1000], held(0));
}

TEST_F(GridEditsTest, NotesOutsideTheScoreWriteNothing) {
    const Grid before = notes;
    EXPECT_FALSE(edit::writeDrawnNote(notes, instruments, {0, 10, 12, 128, 0}));
    EXPECT_FALSE(edit::writeDrawnNote(notes, instruments, {0, 10, 12, -1, 0}));
    EXPECT_FALSE(edit::writeDrawnNote(notes, instruments, {13, 10, 12, 60, 0}));
    EXPECT_FALSE(edit::writeDrawnNote(notes, instruments, {-1, 10, 12, 60, 0}));
    EXPECT_FALSE(edit::writeDrawnNote(notes, instruments, {0, 1001, 1002, 60, 0}));
    EXPECT_FALSE(edit::writeDrawnNote(notes, instruments, {0, -1, 3, 60, 0}));
    EXPECT_EQ(notes, before);
}

TEST_F(GridEditsTest, SeamTurnsOnlyAHeldCellIntoAStart) {
    notes[4][7] = held(90);
    instruments[4][7] = 130;
    notes[4][8] = 90;
    edit::restartHeldNoteAt(notes, 4, 7);
    edit::restartHeldNoteAt(notes, 4, 8);
    edit::restartHeldNoteAt(notes, 4, 9);
    edit::restartHeldNoteAt(notes, 4, 1001);  // outside: ignored
    EXPECT_EQ(notes[4][7], 90);
    EXPECT_EQ(instruments[4][7], 130);
    EXPECT_EQ(notes[4][8], 90);
    EXPECT_EQ(notes[4][9], score::EmptyCell);
}

TEST_F(GridEditsTest, EraseFromAnyCellOfANoteRemovesTheWholeNote) {
    for (int pressed : {20, 21, 24}) {
        place(5, 60, 18, 19, 4);  // a neighbour ending right before
        place(5, 61, 20, 24, 9);
        place(5, 62, 25, 27, 4);  // the next note starts right after
        const edit::ErasedNote erased = edit::eraseNoteAt(notes, instruments, 5, pressed);
        SCOPED_TRACE(pressed);
        EXPECT_TRUE(erased.erased);
        EXPECT_EQ(erased.firstColumn, 20);
        EXPECT_EQ(erased.lastColumn, 24);
        for (int column = 20; column <= 24; ++column) {
            EXPECT_EQ(notes[5][column], score::EmptyCell) << column;
            EXPECT_EQ(instruments[5][column], 0) << column;
        }
        EXPECT_EQ(notes[5][19], held(60));
        EXPECT_EQ(notes[5][25], 62);
        EXPECT_EQ(instruments[5][25], 4);
    }
}

TEST_F(GridEditsTest, EraseOfAnEmptyCellChangesNothing) {
    place(0, 60, 10, 12, 3);
    const Grid notesBefore = notes;
    const Grid instrumentsBefore = instruments;
    EXPECT_FALSE(edit::eraseNoteAt(notes, instruments, 0, 13).erased);
    EXPECT_FALSE(edit::eraseNoteAt(notes, instruments, 1, 10).erased);  // another track
    EXPECT_FALSE(edit::eraseNoteAt(notes, instruments, 0, 1001).erased);
    EXPECT_FALSE(edit::eraseNoteAt(notes, instruments, 13, 10).erased);
    EXPECT_EQ(notes, notesBefore);
    EXPECT_EQ(instruments, instrumentsBefore);
}

TEST_F(GridEditsTest, EraseWalkStopsAtBothEdgesOfTheScore) {
    // A held run with no start (a score file can bring one in) from column 0.
    for (int column = 0; column <= 4; ++column) notes[0][column] = held(30);
    notes[0][5] = 31;
    const edit::ErasedNote left = edit::eraseNoteAt(notes, instruments, 0, 3);
    EXPECT_TRUE(left.erased);
    EXPECT_EQ(left.firstColumn, 0);
    EXPECT_EQ(left.lastColumn, 4);
    for (int column = 0; column <= 4; ++column) EXPECT_EQ(notes[0][column], score::EmptyCell);
    EXPECT_EQ(notes[0][5], 31);

    // A note held through the last column.
    place(0, 40, 990, score::LastColumn, 2);
    const edit::ErasedNote right = edit::eraseNoteAt(notes, instruments, 0, 1000);
    EXPECT_TRUE(right.erased);
    EXPECT_EQ(right.firstColumn, 990);
    EXPECT_EQ(right.lastColumn, score::LastColumn);
    for (int column = 990; column <= score::LastColumn; ++column) {
        EXPECT_EQ(notes[0][column], score::EmptyCell);
    }
}

TEST_F(GridEditsTest, HeldRunAfterAnEmptyCellIsErasedFromThatCell) {
    notes[6][40] = held(20);
    notes[6][41] = held(20);
    instruments[6][40] = 5;
    const edit::ErasedNote erased = edit::eraseNoteAt(notes, instruments, 6, 41);
    EXPECT_TRUE(erased.erased);
    EXPECT_EQ(erased.firstColumn, 39);
    EXPECT_EQ(erased.lastColumn, 41);
    EXPECT_EQ(notes[6][40], score::EmptyCell);
    EXPECT_EQ(instruments[6][40], 0);
}

}  // namespace
