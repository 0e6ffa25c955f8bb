// The editor's work on bare grids: copy, cut, paste, insertion, the
// transforms, the drawn note and the erase, each with its held-note seam and
// its edges at both ends of the score. Every case runs on a shown track and,
// with the same cells, on a hidden one that must come out untouched.

#include <gtest/gtest.h>

#include <functional>

#include "edit/ColumnEdits.h"
#include "edit/GridText.h"
#include "edit/MouseGridEdits.h"
#include "edit/Transforms.h"

namespace edittest {
namespace {

constexpr int Shown = 0;
constexpr int Hidden = 7;

enum Edit { Cut, Paste, Insert, Invert, Transpose, Reverse, Draw, Erase };

// What each edit does with its numbers a, b, c (and the clipboard for a paste).
void run(Grids& g, Edit edit, int a, int b, int c, const std::string& clip) {
    const edit::ColumnRange range{a, b};
    switch (edit) {
        case Cut:
            return edit::removeColumns(g.notes, g.instruments, range, g.hidden);
        case Paste:  // clipboard length b at column a
            for (int track : {Shown, Hidden})
                putCells(g.clipNotes, g.clipInstruments, track, 0, clip);
            edit::pasteColumns(g.notes, g.instruments, g.clipNotes, g.clipInstruments, b, a,
                               g.hidden);
            return;
        case Insert:
            return edit::insertEmptyColumns(g.notes, g.instruments, a, b, g.hidden);
        case Invert:
            return edit::invertColumns(g.notes, range, g.hidden);
        case Transpose:
            return edit::transposeColumns(g.notes, range, c, g.hidden);
        case Reverse:
            return edit::reverseColumns(g.notes, g.instruments, range, g.hidden);
        case Draw:  // columns a..b on row c, instrument 7
            edit::writeDrawnNote(g.notes, g.instruments, {Shown, a, b, c, 7});
            return;
        case Erase:
            edit::eraseNoteAt(g.notes, g.instruments, Shown, a);
            return;
    }
}

TEST(GridEdits, EachEditChangesTheShownTrackAsTheTableSaysAndNeverTheHiddenOne) {
    const struct {
        Edit edit;
        int a, b, c;
        int origin;
        std::string before, after, clip = "";
    } cases[] = {
        // Cut a..b: the gap closes, the tail empties, an arriving held cell starts a note.
        {Cut, 1, 2, 0, 0, "10:1 11:2 12:3 13:4 +13:4 14:5", "10:1 13:4 +13:4 14:5 . ."},
        {Cut, 1, 2, 0, 0, "10:1 +10:1 +10:1 +10:1 11:2", "10:1 10:1 11:2 . ."},
        {Cut, 995, 996, 0, 995, "1:1 2:2 3:3 4:4 5:5 6:6", "3:3 4:4 5:5 6:6 . ."},
        {Cut, 998, 1000, 0, 995, "1:1 2:2 3:3 4:4 5:5 6:6", "1:1 2:2 3:3 . . ."},
        // Paste at a: empty cells too, a held cell after the block starts a note,
        // nothing past the score, the length kept within 0..1000.
        {Paste, 2, 1, 0, 0, "50:1 +50:1 +50:1 +50:1 +50:1", "50:1 +50:1 . 71:3 50:1", ". 71:3"},
        {Paste, 999, 2, 0, 998, "9:9 . .", "9:9 1:1 2:2", "1:1 2:2 3:3"},
        {Paste, 1000, 1, 0, 999, "9:9 .", "9:9 5:5", "5:5 6:6"},
        {Paste, -4, 0, 0, 0, "1:1 2:2", "5:5 2:2", "5:5 6:6"},
        {Paste, 1001, 0, 0, 999, "7:7 8:8", "7:7 8:8", "5:5"},
        {Paste, 0, -3, 0, 0, "1:1 2:2", "5:5 2:2", "5:5 6:6"},
        // Insert b columns at a: a held note is split, the score's end is lost.
        {Insert, 1, 2, 0, 0, "10:1 11:2 +11:2 12:3", "10:1 . . 11:2 +11:2 12:3"},
        {Insert, 2, 1, 0, 0, "10:1 +10:1 +10:1 +10:1", "10:1 +10:1 . 10:1 +10:1"},
        {Insert, 999, 1, 0, 998, "1:1 2:2 3:3", "1:1 . 2:2"},
        {Insert, 999, 5, 0, 998, "1:1 2:2 3:3", "1:1 . ."},
        {Insert, 1001, 1, 0, 999, "1:1 2:2", "1:1 2:2"},
        {Insert, 999, 0, 0, 999, "1:1 2:2", "1:1 2:2"},
        {Insert, -3, 1, 0, 0, "1:1 2:2", ". 1:1 2:2"},
        // Transforms of a..b end with a note start after the range; cells
        // outside the coding stay.
        {Invert, 0, 3, 0, 0, "0:1 +0:1 127:2 5:3 +5:3 500 +200",
         "127:1 +127:1 0:2 122:3 5:3 500 +200"},
        {Invert, 0, 1, 0, 0, "500 +200", "500 +200"},
        {Transpose, 0, 2, -1, 0, "0 +0 127 +127", "127 +127 126 127"},
        {Transpose, 0, 1, 1, 0, "127 +127 64", "0 +0 64"},
        {Reverse, 0, 5, 0, 0, "60:1 +60:1 . 61:2 . . 9", ". . 61:2 . 60:1 +60:1 9"},
        {Reverse, 1, 3, 0, 0, "10:1 +10:1 +10:1 +10:1 +10:1", "10:1 10:1 +10:1 +10:1 10:1"},
        {Reverse, 0, 2, 0, 0, ". 20:3 +20:3 +20:3", "20:3 +20:3 . 20:3"},
        // A drawn note a..b on row c: over another it starts the other's tail.
        {Draw, 2, 4, 60, 0, "50:1 +50:1 +50:1 +50:1 +50:1 +50:1",
         "50:1 +50:1 60:7 +60:7 +60:7 50:1"},
        {Draw, 0, 2, 41, 0, ". . . 40:3 +40:3", "41:7 +41:7 +41:7 40:3 +40:3"},
        {Draw, 3, 1, 60, 0, ". . . . .", ". . . 60:7 ."},
        {Draw, 999, 1005, 0, 998, ". . .", ". 0:7 +0:7"},
        // Erase at a: the whole note, held runs stop at the score's edges.
        {Erase, 2, 0, 0, 0, "60:4 +60:4 61:9 +61:9 +61:9 62:4", "60:4 +60:4 . . . 62:4"},
        {Erase, 4, 0, 0, 0, "60:4 +60:4 61:9 +61:9 +61:9 62:4", "60:4 +60:4 . . . 62:4"},
        {Erase, 1, 0, 0, 0, "+30:1 +30:1 +30:1 31:1", ". . . 31:1"},
        {Erase, 1000, 0, 0, 997, "40:2 +40:2 +40:2 +40:2", ". . . ."},
        {Erase, 0, 0, 0, 0, ". 60 +60", ". 60 +60"},
    };
    for (const auto& c : cases) {
        auto g = emptyGrids();
        for (int track : {Shown, Hidden})
            putCells(g->notes, g->instruments, track, c.origin, c.before);
        g->hidden[Hidden] = true;
        run(*g, c.edit, c.a, c.b, c.c, c.clip);
        SCOPED_TRACE(testing::Message()
                     << "edit " << c.edit << " " << c.a << " " << c.b << " " << c.c);
        EXPECT_EQ(cellsText(g->notes, g->instruments, Shown, c.origin, tokenCount(c.after)),
                  c.after);
        EXPECT_EQ(cellsText(g->notes, g->instruments, Hidden, c.origin, tokenCount(c.before)),
                  c.before);
    }
}

TEST(GridEdits, CopyReplacesTheClipboardAndStartsAHeldFirstColumn) {
    auto g = emptyGrids();
    for (int track : {Shown, Hidden}) {
        putCells(g->notes, g->instruments, track, 0, "50:1 +50:1 +50:1 +50:1 . 51:2");
    }
    g->hidden[Hidden] = true;
    g->clipNotes[3][500] = 3;
    const auto notes = g->notes;
    edit::copyColumns(g->notes, g->instruments, {2, 5}, g->hidden, g->clipNotes, g->clipInstruments,
                      g->clipLength);
    EXPECT_EQ(g->clipLength, 3);
    EXPECT_EQ(cellsText(g->clipNotes, g->clipInstruments, Shown, 0, 4), "50:1 +50:1 . 51:2");
    EXPECT_EQ(cellsText(g->clipNotes, g->clipInstruments, Hidden, 0, 0), "");
    EXPECT_EQ(g->clipNotes[3][500], score::EmptyCell);
    EXPECT_EQ(g->notes, notes);
}

TEST(GridEdits, PasteTellsTheLastColumnItWroteAndNothingIsWrittenOutsideTheScore) {
    auto g = emptyGrids();
    const auto pasteAt = [&](int at, int length) {
        return edit::pasteColumns(g->notes, g->instruments, g->clipNotes, g->clipInstruments,
                                  length, at, g->hidden);
    };
    EXPECT_EQ(pasteAt(10, 3), 13);
    EXPECT_EQ(pasteAt(999, 5), 1000);
    EXPECT_FALSE(pasteAt(1001, 0));
    const edit::DrawnNote outside[] = {{0, 10, 12, 128, 1},    {0, 10, 12, -1, 1},
                                       {13, 10, 12, 60, 1},    {-1, 10, 12, 60, 1},
                                       {0, 1001, 1002, 60, 1}, {0, -1, 3, 60, 1}};
    for (const auto& note : outside) {
        EXPECT_FALSE(edit::writeDrawnNote(g->notes, g->instruments, note)) << note.row;
    }
    EXPECT_FALSE(edit::eraseNoteAt(g->notes, g->instruments, 13, 0).erased);
    EXPECT_EQ(g->instruments, emptyGrids()->instruments);
}

TEST(GridEdits, OnlyAFinishedSelectionWithinTheScoreIsARange) {
    const struct {
        std::int16_t selStart, selEnd;
        bool isRange;
    } cases[] = {{10, 19, true},     {0, 0, true},    {0, 1000, true}, {1000, 1000, true},
                 {-1, -1, false},    {-1, 40, false}, {12, -1, false}, {30, 29, false},
                 {995, 1001, false}, {-5, 3, false}};
    for (const auto& c : cases) {
        const auto range = edit::selectedRange(c.selStart, c.selEnd);
        ASSERT_EQ(range.has_value(), c.isRange) << c.selStart << ".." << c.selEnd;
        if (!range) continue;
        EXPECT_EQ(range->first, c.selStart);
        EXPECT_EQ(range->last, c.selEnd);
    }
}

TEST(GridEdits, APointerLandsOnItsRoundedPixelDividedTowardZero) {
    const std::pair<float, int> cases[] = {
        {0.0f, 0},    {11.4f, 0},   {11.5f, 1},   {12.5f, 1},    {23.5f, 2},     {-5.0f, 0},
        {-12.0f, -1}, {-23.0f, -1}, {480.0f, 40}, {1e9f, 32767}, {-1e9f, -32767}};
    for (const auto& [pixel, cell] : cases) EXPECT_EQ(edit::viewCellAt(pixel), cell) << pixel;
}

}  // namespace
}  // namespace edittest
