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

// The clipboard rows of both tracks hold the same cells.
void clip(Grids& g, const std::string& cells, int length) {
    for (int track : {Shown, Hidden}) putCells(g.clipNotes, g.clipInstruments, track, 0, cells);
    g.clipLength = static_cast<std::int16_t>(length);
}
void paste(Grids& g, int at) {
    edit::pasteColumns(g.notes, g.instruments, g.clipNotes, g.clipInstruments, g.clipLength, at,
                       g.hidden);
}
void draw(Grids& g, int first, int last, int row, std::int16_t instrument) {
    edit::writeDrawnNote(g.notes, g.instruments, {Shown, first, last, row, instrument});
}

TEST(GridEdits, EachEditChangesTheShownTrackAsTheTableSaysAndNeverTheHiddenOne) {
    using edit::ColumnRange;
    const struct {
        const char* name;
        int origin;
        std::string before;
        std::function<void(Grids&)> edit;
        std::string after;
    } cases[] = {
        {"cut closes the gap", 0, "10:1 11:2 12:3 13:4 +13:4 14:5",
         [](Grids& g) {
             edit::removeColumns(g.notes, g.instruments, {1, 2}, g.hidden);
         },
         "10:1 13:4 +13:4 14:5 . ."},
        {"cut starts a held cell arriving at the gap", 0, "10:1 +10:1 +10:1 +10:1 11:2",
         [](Grids& g) {
             edit::removeColumns(g.notes, g.instruments, {1, 2}, g.hidden);
         },
         "10:1 10:1 11:2 . ."},
        {"cut empties the freed tail", 995, "1:1 2:2 3:3 4:4 5:5 6:6",
         [](Grids& g) {
             edit::removeColumns(g.notes, g.instruments, {995, 996}, g.hidden);
         },
         "3:3 4:4 5:5 6:6 . ."},
        {"cut to the end", 995, "1:1 2:2 3:3 4:4 5:5 6:6",
         [](Grids& g) {
             edit::removeColumns(g.notes, g.instruments, {998, 1000}, g.hidden);
         },
         "1:1 2:2 3:3 . . ."},
        {"paste writes empty cells too and starts the held cell after it", 0,
         "50:1 +50:1 +50:1 +50:1 +50:1",
         [](Grids& g) {
             clip(g, ". 71:3", 1);
             paste(g, 2);
         },
         "50:1 +50:1 . 71:3 50:1"},
        {"paste drops what falls past the score", 998, "9:9 . .",
         [](Grids& g) {
             clip(g, "1:1 2:2 3:3", 2);
             paste(g, 999);
         },
         "9:9 1:1 2:2"},
        {"paste at column 1000", 999, "9:9 .",
         [](Grids& g) {
             clip(g, "5:5 6:6", 1);
             paste(g, 1000);
         },
         "9:9 5:5"},
        {"paste before the score lands on column 0", 0, "1:1 2:2",
         [](Grids& g) {
             clip(g, "5:5 6:6", 0);
             paste(g, -4);
         },
         "5:5 2:2"},
        {"paste past the score writes nothing", 999, "7:7 8:8",
         [](Grids& g) {
             clip(g, "5:5", 0);
             paste(g, 1001);
         },
         "7:7 8:8"},
        {"a negative clipboard length pastes one column", 0, "1:1 2:2",
         [](Grids& g) {
             clip(g, "5:5 6:6", -3);
             paste(g, 0);
         },
         "5:5 2:2"},
        {"insertion moves right", 0, "10:1 11:2 +11:2 12:3",
         [](Grids& g) { edit::insertEmptyColumns(g.notes, g.instruments, 1, 2, g.hidden); },
         "10:1 . . 11:2 +11:2 12:3"},
        {"insertion splits a held note", 0, "10:1 +10:1 +10:1 +10:1",
         [](Grids& g) { edit::insertEmptyColumns(g.notes, g.instruments, 2, 1, g.hidden); },
         "10:1 +10:1 . 10:1 +10:1"},
        {"insertion loses the last column", 998, "1:1 2:2 3:3",
         [](Grids& g) { edit::insertEmptyColumns(g.notes, g.instruments, 999, 1, g.hidden); },
         "1:1 . 2:2"},
        {"a gap past the end empties to the end", 998, "1:1 2:2 3:3",
         [](Grids& g) { edit::insertEmptyColumns(g.notes, g.instruments, 999, 5, g.hidden); },
         "1:1 . ."},
        {"insertion of nothing or past the score", 999, "1:1 2:2",
         [](Grids& g) {
             edit::insertEmptyColumns(g.notes, g.instruments, 1001, 1, g.hidden);
             edit::insertEmptyColumns(g.notes, g.instruments, 999, 0, g.hidden);
         },
         "1:1 2:2"},
        {"insertion before the score opens column 0", 0, "1:1 2:2",
         [](Grids& g) { edit::insertEmptyColumns(g.notes, g.instruments, -3, 1, g.hidden); },
         ". 1:1 2:2"},
        {"invert mirrors rows and starts the note after the range", 0,
         "0:1 +0:1 127:2 5:3 +5:3 500",
         [](Grids& g) {
             edit::invertColumns(g.notes, ColumnRange{0, 3}, g.hidden);
         },
         "127:1 +127:1 0:2 122:3 5:3 500"},
        {"invert leaves cells outside the coding", 0, "500 +200",
         [](Grids& g) {
             edit::invertColumns(g.notes, ColumnRange{0, 1}, g.hidden);
         },
         "500 +200"},
        {"transpose up wraps row 0 to 127", 0, "0 +0 127 +127",
         [](Grids& g) {
             edit::transposeColumns(g.notes, ColumnRange{0, 2}, -1, g.hidden);
         },
         "127 +127 126 127"},
        {"transpose down wraps row 127 to 0", 0, "127 +127 64",
         [](Grids& g) {
             edit::transposeColumns(g.notes, ColumnRange{0, 1}, 1, g.hidden);
         },
         "0 +0 64"},
        {"reverse starts each note at its left end", 0, "60:1 +60:1 . 61:2 . . 9",
         [](Grids& g) {
             edit::reverseColumns(g.notes, g.instruments, {0, 5}, g.hidden);
         },
         ". . 61:2 . 60:1 +60:1 9"},
        {"reverse of a held run that began before the range", 0, "10:1 +10:1 +10:1 +10:1 +10:1",
         [](Grids& g) {
             edit::reverseColumns(g.notes, g.instruments, {1, 3}, g.hidden);
         },
         "10:1 10:1 +10:1 +10:1 10:1"},
        {"reverse of a note running out of the range", 0, ". 20:3 +20:3 +20:3",
         [](Grids& g) {
             edit::reverseColumns(g.notes, g.instruments, {0, 2}, g.hidden);
         },
         "20:3 +20:3 . 20:3"},
        {"a drawn note over another starts the other's tail", 0,
         "50:1 +50:1 +50:1 +50:1 +50:1 +50:1", [](Grids& g) { draw(g, 2, 4, 60, 7); },
         "50:1 +50:1 60:7 +60:7 +60:7 50:1"},
        {"a drawn note leaves a start after it", 0, ". . . 40:3 +40:3",
         [](Grids& g) { draw(g, 0, 2, 41, 3); }, "41:3 +41:3 +41:3 40:3 +40:3"},
        {"a drawn note ending left of its start has one column", 0, ". . . . .",
         [](Grids& g) { draw(g, 3, 1, 60, 7); }, ". . . 60:7 ."},
        {"a drawn note stops at column 1000", 998, ". . .",
         [](Grids& g) { draw(g, 999, 1005, 0, 2); }, ". 0:2 +0:2"},
        {"erase from a start", 0, "60:4 +60:4 61:9 +61:9 +61:9 62:4",
         [](Grids& g) { edit::eraseNoteAt(g.notes, g.instruments, Shown, 2); },
         "60:4 +60:4 . . . 62:4"},
        {"erase from the last held cell", 0, "60:4 +60:4 61:9 +61:9 +61:9 62:4",
         [](Grids& g) { edit::eraseNoteAt(g.notes, g.instruments, Shown, 4); },
         "60:4 +60:4 . . . 62:4"},
        {"erase of a held run without a start stops at column 0", 0, "+30:1 +30:1 +30:1 31:1",
         [](Grids& g) { edit::eraseNoteAt(g.notes, g.instruments, Shown, 1); }, ". . . 31:1"},
        {"erase of a note held through column 1000", 997, "40:2 +40:2 +40:2 +40:2",
         [](Grids& g) { edit::eraseNoteAt(g.notes, g.instruments, Shown, 1000); }, ". . . ."},
        {"erase of an empty cell", 0, ". 60 +60",
         [](Grids& g) { edit::eraseNoteAt(g.notes, g.instruments, Shown, 0); }, ". 60 +60"},
    };
    for (const auto& c : cases) {
        auto g = emptyGrids();
        for (int track : {Shown, Hidden})
            putCells(g->notes, g->instruments, track, c.origin, c.before);
        g->hidden[Hidden] = true;
        c.edit(*g);
        EXPECT_EQ(cellsText(g->notes, g->instruments, Shown, c.origin, tokenCount(c.after)),
                  c.after)
            << c.name;
        EXPECT_EQ(cellsText(g->notes, g->instruments, Hidden, c.origin, tokenCount(c.before)),
                  c.before)
            << c.name << " (hidden track)";
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

TEST(GridEdits, PasteTellsTheLastColumnItWrote) {
    auto g = emptyGrids();
    const auto pasteAt = [&](int at, int length) {
        return edit::pasteColumns(g->notes, g->instruments, g->clipNotes, g->clipInstruments,
                                  length, at, g->hidden);
    };
    EXPECT_EQ(pasteAt(10, 3), 13);
    EXPECT_EQ(pasteAt(999, 5), 1000);
    EXPECT_EQ(pasteAt(1000, 0), 1000);
    EXPECT_FALSE(pasteAt(1001, 0));
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

TEST(GridEdits, DrawnNotesAndErasesOutsideTheScoreChangeNothing) {
    auto g = emptyGrids();
    putCells(g->notes, g->instruments, Shown, 0, "60 +60");
    const auto notes = g->notes;
    for (const edit::DrawnNote note : std::initializer_list<edit::DrawnNote>{{0, 10, 12, 128, 0},
                                                                             {0, 10, 12, -1, 0},
                                                                             {13, 10, 12, 60, 0},
                                                                             {-1, 10, 12, 60, 0},
                                                                             {0, 1001, 1002, 60, 0},
                                                                             {0, -1, 3, 60, 0}}) {
        EXPECT_FALSE(edit::writeDrawnNote(g->notes, g->instruments, note)) << note.row;
    }
    EXPECT_FALSE(edit::eraseNoteAt(g->notes, g->instruments, Shown, 1001).erased);
    EXPECT_FALSE(edit::eraseNoteAt(g->notes, g->instruments, 13, 0).erased);
    EXPECT_EQ(g->notes, notes);
    const edit::ErasedNote erased = edit::eraseNoteAt(g->notes, g->instruments, Shown, 1);
    EXPECT_TRUE(erased.erased);
    EXPECT_EQ(erased.lastColumn, 1);
}

TEST(GridEdits, APointerLandsOnItsRoundedPixelDividedTowardZero) {
    const std::pair<float, int> cases[] = {
        {0.0f, 0},    {11.4f, 0},   {11.5f, 1},   {12.5f, 1},    {23.5f, 2},     {-5.0f, 0},
        {-12.0f, -1}, {-23.0f, -1}, {480.0f, 40}, {1e9f, 32767}, {-1e9f, -32767}};
    for (const auto& [pixel, cell] : cases) EXPECT_EQ(edit::viewCellAt(pixel), cell) << pixel;
}

}  // namespace
}  // namespace edittest
