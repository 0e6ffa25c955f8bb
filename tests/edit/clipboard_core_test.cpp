// The column operations on bare grids: copy, cut, paste over, insertion, the
// held-note seam each applies, and the selection's range.

#include <gtest/gtest.h>

#include "edit/ColumnEdits.h"

namespace {

using score::EmptyCell;
using score::Grid;
using score::HeldOffset;

class ColumnEditsTest : public ::testing::Test {
protected:
    void SetUp() override {
        score::clearScore(notes, instruments);
        score::clearScore(clipNotes, clipInstruments);
    }
    void note(int track, int row, int first, int last, std::int16_t instrument) {
        for (int c = first; c <= last; ++c) {
            notes[track][c] = static_cast<std::int16_t>(c == first ? row : HeldOffset + row);
            instruments[track][c] = instrument;
        }
    }
    // Every column of the track carries its own number as a start.
    void numberTrack(int track) {
        for (int c = 0; c <= 1000; ++c) {
            notes[track][c] = static_cast<std::int16_t>(c % 128);
            instruments[track][c] = static_cast<std::int16_t>(c % 175);
        }
    }
    void copy(int first, int last) {
        edit::copyColumns(notes, instruments, {first, last}, hidden, clipNotes, clipInstruments,
                          clipLength);
    }

    Grid notes{}, instruments{}, clipNotes{}, clipInstruments{};
    std::int16_t clipLength = 0;
    score::HiddenTracks hidden{};
};

// Only a finished selection within the score names columns; a drag that has
// not set its end yet, or anything out of order or past the score, names none.
TEST_F(ColumnEditsTest, OnlyAFinishedSelectionWithinTheScoreIsARange) {
    const struct {
        std::int16_t selStart, selEnd;
        bool isRange;
    } cases[] = {
        {10, 19, true},     {0, 0, true},        {0, 1000, true}, {1000, 1000, true},
        {-1, -1, false},    {-1, 40, false},     {12, -1, false}, {30, 20, false},
        {995, 1001, false}, {1500, 1600, false}, {-5, 3, false},
    };
    for (const auto& c : cases) {
        const auto range = edit::selectedRange(c.selStart, c.selEnd);
        ASSERT_EQ(range.has_value(), c.isRange) << c.selStart << ".." << c.selEnd;
        if (!range) continue;
        EXPECT_EQ(range->first, c.selStart);
        EXPECT_EQ(range->last, c.selEnd);
    }
}

TEST_F(ColumnEditsTest, CopyStartsAHeldFirstColumnAndLeavesHiddenTracksEmpty) {
    note(0, 60, 5, 12, 24);
    note(4, 70, 8, 9, 33);
    hidden[4] = true;
    clipNotes[7][500] = 3;  // whatever the clipboard held goes
    copy(8, 10);
    EXPECT_EQ(clipLength, 2);
    EXPECT_EQ(clipNotes[0][0], 60);
    EXPECT_EQ(clipNotes[0][1], 1060);
    EXPECT_EQ(clipNotes[0][2], 1060);
    EXPECT_EQ(clipInstruments[0][0], 24);
    EXPECT_EQ(clipNotes[0][3], EmptyCell);
    EXPECT_EQ(clipNotes[4][0], EmptyCell);
    EXPECT_EQ(clipInstruments[4][0], 0);
    EXPECT_EQ(clipNotes[7][500], EmptyCell);
    EXPECT_EQ(notes[0][8], 1060) << "the score keeps its held cell";
}

TEST_F(ColumnEditsTest, PasteOverwritesShownTracksWithEmptyCellsAndKeepsTheClipboard) {
    note(2, 40, 0, 3, 10);
    hidden[2] = true;
    copy(0, 3);
    hidden[2] = false;
    note(2, 50, 100, 103, 11);
    note(3, 51, 100, 103, 12);
    hidden[3] = true;
    const auto clip = clipNotes;
    const auto end =
        edit::pasteColumns(notes, instruments, clipNotes, clipInstruments, clipLength, 100, hidden);
    EXPECT_EQ(end, 103);
    for (int c = 100; c <= 103; ++c) {
        EXPECT_EQ(notes[2][c], EmptyCell) << c;
        EXPECT_EQ(instruments[2][c], 0) << c;
        EXPECT_EQ(notes[3][c], c == 100 ? 51 : 1051) << "hidden now: untouched";
    }
    EXPECT_EQ(clipNotes, clip);
}

TEST_F(ColumnEditsTest, PasteOfTheStartUpClipboardWritesOneEmptyColumn) {
    numberTrack(0);
    edit::pasteColumns(notes, instruments, clipNotes, clipInstruments, 0, 50, hidden);
    EXPECT_EQ(notes[0][49], 49);
    EXPECT_EQ(notes[0][50], EmptyCell);
    EXPECT_EQ(notes[0][51], 51);
}

TEST_F(ColumnEditsTest, PasteNearTheEndDropsWhatFallsPastTheScoreWithoutASeam) {
    for (int c = 0; c <= 10; ++c) notes[1][c] = static_cast<std::int16_t>(c);
    copy(0, 10);
    score::clearScore(notes, instruments);
    const auto end =
        edit::pasteColumns(notes, instruments, clipNotes, clipInstruments, clipLength, 995, hidden);
    EXPECT_EQ(end, 1000);
    for (int c = 995; c <= 1000; ++c) EXPECT_EQ(notes[1][c], c - 995);
    EXPECT_FALSE(edit::pasteColumns(notes, instruments, clipNotes, clipInstruments, clipLength,
                                    1001, hidden));
    EXPECT_FALSE(edit::pasteColumns(notes, instruments, clipNotes, clipInstruments, clipLength,
                                    32000, hidden));
}

TEST_F(ColumnEditsTest, HeldCellAfterThePastedBlockStartsANoteButAStartStaysAlone) {
    note(0, 60, 20, 30, 5);
    note(1, 61, 23, 30, 6);
    note(2, 62, 20, 30, 7);
    hidden[2] = true;
    copy(40, 42);  // empty columns
    edit::pasteColumns(notes, instruments, clipNotes, clipInstruments, clipLength, 20, hidden);
    EXPECT_EQ(notes[0][23], 60);
    EXPECT_EQ(instruments[0][23], 5);
    EXPECT_EQ(notes[0][24], 1060);
    EXPECT_EQ(notes[1][23], 61);
    EXPECT_EQ(notes[2][23], 1062) << "a hidden track is not seamed";
}

TEST_F(ColumnEditsTest, CutClosesTheGapEmptiesTheTailAndStartsTheArrivingNote) {
    numberTrack(0);
    note(1, 70, 15, 25, 9);
    numberTrack(5);
    hidden[5] = true;
    const auto hiddenTrack = notes[5];
    edit::removeColumns(notes, instruments, {10, 19}, hidden);
    for (int c = 10; c <= 990; ++c) {
        ASSERT_EQ(notes[0][c], (c + 10) % 128) << c;
        ASSERT_EQ(instruments[0][c], (c + 10) % 175) << c;
    }
    for (int c = 991; c <= 1000; ++c) {
        EXPECT_EQ(notes[0][c], EmptyCell);
        EXPECT_EQ(instruments[0][c], 0);
    }
    EXPECT_EQ(notes[1][10], 70) << "the held cell arriving at the gap starts a note";
    EXPECT_EQ(notes[1][15], 1070);
    EXPECT_EQ(notes[1][16], EmptyCell);
    EXPECT_EQ(notes[5], hiddenTrack);
}

TEST_F(ColumnEditsTest, CutToTheEndOfTheScoreEmptiesFromTheStart) {
    numberTrack(3);
    edit::removeColumns(notes, instruments, {900, 1000}, hidden);
    EXPECT_EQ(notes[3][899], 899 % 128);
    for (int c = 900; c <= 1000; ++c) EXPECT_EQ(notes[3][c], EmptyCell);
}

TEST_F(ColumnEditsTest, InsertionMovesRightLosesTheTailAndSplitsAHeldNote) {
    numberTrack(0);
    note(1, 64, 48, 53, 8);
    numberTrack(6);
    hidden[6] = true;
    const auto hiddenTrack = notes[6];
    edit::insertEmptyColumns(notes, instruments, 50, 3, hidden);
    EXPECT_EQ(notes[0][49], 49);
    for (int c = 50; c <= 52; ++c) {
        EXPECT_EQ(notes[0][c], EmptyCell);
        EXPECT_EQ(instruments[0][c], 0);
    }
    for (int c = 53; c <= 1000; ++c) ASSERT_EQ(notes[0][c], (c - 3) % 128) << c;
    EXPECT_EQ(notes[1][49], 1064);
    EXPECT_EQ(notes[1][53], 64) << "the note's part after the gap stands on its own";
    EXPECT_EQ(instruments[1][53], 8);
    EXPECT_EQ(notes[1][56], 1064);
    EXPECT_EQ(notes[6], hiddenTrack);
}

TEST_F(ColumnEditsTest, InsertionAtTheEndEmptiesWhatIsLeftAndNothingPastIt) {
    numberTrack(0);
    edit::insertEmptyColumns(notes, instruments, 1000, 1, hidden);
    EXPECT_EQ(notes[0][999], 999 % 128);
    EXPECT_EQ(notes[0][1000], EmptyCell);

    numberTrack(0);
    edit::insertEmptyColumns(notes, instruments, 990, 500, hidden);
    EXPECT_EQ(notes[0][989], 989 % 128);
    for (int c = 990; c <= 1000; ++c) EXPECT_EQ(notes[0][c], EmptyCell);

    numberTrack(0);
    const auto before = notes;
    edit::insertEmptyColumns(notes, instruments, 1001, 1, hidden);
    edit::insertEmptyColumns(notes, instruments, 5, 0, hidden);
    EXPECT_EQ(notes, before);
}

TEST_F(ColumnEditsTest, PasteWithInsertionNearTheEndPastesWhatFits) {
    note(0, 30, 0, 9, 3);
    copy(0, 9);
    numberTrack(1);
    edit::insertEmptyColumns(notes, instruments, 995, clipLength + 1, hidden);
    edit::pasteColumns(notes, instruments, clipNotes, clipInstruments, clipLength, 995, hidden);
    EXPECT_EQ(notes[0][995], 30);
    EXPECT_EQ(notes[0][1000], 1030);
    for (int c = 995; c <= 1000; ++c) EXPECT_EQ(notes[1][c], EmptyCell);
    EXPECT_EQ(notes[1][994], 994 % 128);
}

}  // namespace
