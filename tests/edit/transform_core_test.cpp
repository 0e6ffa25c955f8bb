// The transforms on bare grids: the pitch mirror, the retrograde and the
// transpose, with their seams and the tracks they must leave alone.

#include <gtest/gtest.h>

#include <vector>

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

// Two inversions, or a step up and a step down, give back the cells inside the
// range, also when it begins inside a note: the part inside the range stays
// held at its new pitch.
TEST_F(TransformTest, ARangeUndoneGivesBackItsCells) {
    using Transform = void (*)(Grid&, edit::ColumnRange, const score::HiddenTracks&);
    const Transform invert = [](Grid& n, edit::ColumnRange r, const score::HiddenTracks& h) {
        edit::invertColumns(n, r, h);
    };
    const Transform up = [](Grid& n, edit::ColumnRange r, const score::HiddenTracks& h) {
        edit::transposeColumns(n, r, -1, h);
    };
    const Transform down = [](Grid& n, edit::ColumnRange r, const score::HiddenTracks& h) {
        edit::transposeColumns(n, r, 1, h);
    };
    const struct {
        const char* name;
        edit::ColumnRange range;
        Transform there, back;
    } cases[] = {
        {"invert twice, inside one note", {4, 6}, invert, invert},
        {"invert twice, many notes", {101, 702}, invert, invert},
        {"up then down, many notes", {101, 702}, up, down},
        {"up then down, the whole score", WholeScore, up, down},
    };
    for (const auto& c : cases) {
        SetUp();
        note(0, 60, 2, 8, 9);
        for (int col = 100; col <= 996; col += 4) note(1 + col % 12, col % 128, col, col + 2, 2);
        const auto inRange = [&] {
            std::vector<std::int16_t> cells;
            for (const auto& track : notes) {
                cells.insert(cells.end(), track.begin() + c.range.first,
                             track.begin() + c.range.last + 1);
            }
            return cells;
        };
        const auto before = inRange();
        c.there(notes, c.range, hidden);
        EXPECT_NE(inRange(), before) << c.name;
        c.back(notes, c.range, hidden);
        EXPECT_EQ(inRange(), before) << c.name;
    }
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
