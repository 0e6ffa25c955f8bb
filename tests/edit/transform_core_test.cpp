// The transforms on bare grids: the pitch mirror, the retrograde and the
// transpose, with their seams and the tracks they must leave alone.

#include <gtest/gtest.h>

#include "edit/Transforms.h"

namespace {

using score::EmptyCell;
using score::Grid;
using score::HeldOffset;

constexpr edit::ColumnRange WholeScore{0, 1000};

class TransformTest : public ::testing::Test {
protected:
    void SetUp() override { score::clearScore(notes, instruments); }
    void note(int track, int row, int first, int last, std::int16_t instrument) {
        for (int c = first; c <= last; ++c) {
            notes[track][c] = static_cast<std::int16_t>(c == first ? row : HeldOffset + row);
            instruments[track][c] = instrument;
        }
    }
    Grid notes{}, instruments{};
    score::HiddenTracks hidden{};
};

TEST_F(TransformTest, InvertOfTheWholeScoreMirrorsStartsAndHeldCells) {
    notes[0][0] = 0;
    notes[0][1] = 1010;
    notes[3][500] = 127;
    instruments[3][500] = 150;
    const auto instrumentsBefore = instruments;
    edit::invertColumns(notes, WholeScore, hidden);
    EXPECT_EQ(notes[0][0], 127);
    EXPECT_EQ(notes[0][1], 1117);
    EXPECT_EQ(notes[3][500], 0);
    EXPECT_EQ(notes[0][2], EmptyCell);
    EXPECT_EQ(instruments, instrumentsBefore);
}

TEST_F(TransformTest, InvertEndsTheRangesNotesAtItsEdge) {
    note(0, 60, 2, 5, 7);
    edit::invertColumns(notes, {0, 3}, hidden);
    EXPECT_EQ(notes[0][2], 67);
    EXPECT_EQ(notes[0][3], 1067);
    EXPECT_EQ(notes[0][4], 60);
    EXPECT_EQ(instruments[0][4], 7);
    EXPECT_EQ(notes[0][5], 1060);
}

TEST_F(TransformTest, TwoInversionsGiveBackTheRange) {
    for (int c = 0; c <= 1000; c += 3) note(c % 13, c % 128, c, c + 1, 1);
    const auto before = notes;
    edit::invertColumns(notes, WholeScore, hidden);
    edit::invertColumns(notes, WholeScore, hidden);
    EXPECT_EQ(notes, before);
}

TEST_F(TransformTest, ReverseMovesANoteWithItsInstrumentsAndStartsItOnTheLeft) {
    note(0, 60, 2, 4, 11);
    edit::reverseColumns(notes, instruments, {0, 9}, hidden);
    for (int c : {0, 1, 2, 3, 4, 8, 9}) EXPECT_EQ(notes[0][c], EmptyCell) << c;
    EXPECT_EQ(notes[0][5], 60);
    EXPECT_EQ(notes[0][6], 1060);
    EXPECT_EQ(notes[0][7], 1060);
    for (int c = 5; c <= 7; ++c) EXPECT_EQ(instruments[0][c], 11);
    EXPECT_EQ(instruments[0][2], 0);
}

TEST_F(TransformTest, ReverseOfANoteRunningOutOfTheRangeSplitsIt) {
    const int s = 20, e = 30;
    note(1, 45, e - 1, e + 1, 4);
    edit::reverseColumns(notes, instruments, {s, e}, hidden);
    EXPECT_EQ(notes[1][s], 45);
    EXPECT_EQ(notes[1][s + 1], 1045);
    EXPECT_EQ(notes[1][s + 2], EmptyCell);
    EXPECT_EQ(notes[1][e - 1], EmptyCell);
    EXPECT_EQ(notes[1][e], EmptyCell);
    EXPECT_EQ(notes[1][e + 1], 45);
    EXPECT_EQ(instruments[1][e + 1], 4);
}

TEST_F(TransformTest, ReverseMakesAHeldRunAtTheLeftEdgeANoteOfItsOwn) {
    note(2, 70, 8, 12, 3);  // begins before the range 10..19
    note(2, 72, 15, 16, 5);
    edit::reverseColumns(notes, instruments, {10, 19}, hidden);
    EXPECT_EQ(notes[2][9], 1070) << "the part before the range is untouched";
    EXPECT_EQ(notes[2][10], EmptyCell);
    EXPECT_EQ(notes[2][13], 72);
    EXPECT_EQ(notes[2][14], 1072);
    EXPECT_EQ(notes[2][17], 70);
    EXPECT_EQ(notes[2][18], 1070);
    EXPECT_EQ(notes[2][19], 1070);
}

TEST_F(TransformTest, ReverseOfAnEmptyFirstColumnChangesNothing) {
    const auto before = notes;
    edit::reverseColumns(notes, instruments, {0, 0}, hidden);
    EXPECT_EQ(notes, before);
}

TEST_F(TransformTest, TransposeWrapsStartsAndHeldCellsWithinTheRows) {
    notes[0][0] = 0;
    notes[0][1] = 1000;
    notes[1][0] = 127;
    notes[1][1] = 1127;
    hidden[1] = true;
    edit::transposeColumns(notes, WholeScore, -1, hidden);  // up
    EXPECT_EQ(notes[0][0], 127);
    EXPECT_EQ(notes[0][1], 1127);
    hidden = {};
    hidden[0] = true;
    edit::transposeColumns(notes, WholeScore, 1, hidden);  // down
    EXPECT_EQ(notes[1][0], 0);
    EXPECT_EQ(notes[1][1], 1000);
    EXPECT_EQ(notes[0][0], 127) << "hidden: untouched";
}

TEST_F(TransformTest, TransposeUpThenDownGivesBackTheRange) {
    for (int c = 0; c <= 996; c += 4) note(c % 13, (c * 7) % 128, c, c + 2, 2);
    const auto before = notes;
    const auto instrumentsBefore = instruments;
    edit::transposeColumns(notes, {100, 703}, -1, hidden);
    EXPECT_NE(notes, before);
    edit::transposeColumns(notes, {100, 703}, 1, hidden);
    EXPECT_EQ(notes, before);
    EXPECT_EQ(instruments, instrumentsBefore);
}

// A range that begins inside a note: the note's part inside the range is
// changed, so it sounds from the range's first column at its new pitch.
TEST_F(TransformTest, TransposeAndInvertFromTheMiddleOfANoteStartItAnew) {
    note(0, 60, 5, 12, 9);
    edit::transposeColumns(notes, {8, 20}, -1, hidden);
    EXPECT_EQ(notes[0][7], 1060);
    EXPECT_EQ(notes[0][8], 59);
    EXPECT_EQ(instruments[0][8], 9);
    EXPECT_EQ(notes[0][9], 1059);
    note(1, 30, 0, 6, 9);
    edit::invertColumns(notes, {3, 4}, hidden);
    EXPECT_EQ(notes[1][3], 97);
    EXPECT_EQ(notes[1][4], 1097);
    EXPECT_EQ(notes[1][5], 30);
}

TEST_F(TransformTest, HiddenTracksAndCellsOutsideTheCodingStayAsTheyWere) {
    for (int t = 0; t < 13; ++t) note(t, 10 * t, 3, 9, static_cast<std::int16_t>(t));
    hidden[4] = true;
    hidden[12] = true;
    notes[7][20] = 500;  // no cell should hold it; the transforms leave it be
    const auto before = notes;
    const auto instrumentsBefore = instruments;
    edit::invertColumns(notes, WholeScore, hidden);
    edit::reverseColumns(notes, instruments, {0, 30}, hidden);
    edit::transposeColumns(notes, WholeScore, 1, hidden);
    EXPECT_EQ(notes[4], before[4]);
    EXPECT_EQ(notes[12], before[12]);
    EXPECT_EQ(instruments[4], instrumentsBefore[4]);
    EXPECT_EQ(notes[7][10], 500);  // reversed to 10, never rewritten
}

}  // namespace
