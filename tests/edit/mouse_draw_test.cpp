// Draw Mode on the real window: a left drag draws a note and sounds it, a right
// press erases a note. Mouse input goes to the score box's widget through Qt;
// the results are read from the grids, the box's pixels and the messages the
// recording device received. The window is 750 x 600 with three toolbars open:
// 56 columns by 28 rows, from column 0 and pitch row 55 unless a test moves it.

#include <gtest/gtest.h>

#include "edit/EditWindowFixture.h"

namespace edittest {
namespace {

constexpr std::int16_t held(int row) {
    return static_cast<std::int16_t>(score::HeldOffset + row);
}

class DrawModeTest : public EditWindowTest {
protected:
    void SetUp() override {
        EditWindowTest::SetUp();
        ASSERT_EQ(form().EditMode, edit::DrawMode);
        ASSERT_EQ(form().ColumnSpan, 55);
        ASSERT_GE(form().RowSpan, 10);
    }
};

TEST_F(DrawModeTest, DragDrawsAHeadAndABarThenTheReleaseWritesTheNote) {
    auto& window = form();
    const Colour current = currentColour(0);
    window.TrackInstrument[0] = 24;
    // The head is filled with whatever fill colour the last drawing left.
    window.MusicBox.surface().setFillColour(0x123456);

    pressCell(5, 3);  // pitch row 58, key 69
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 0x45, 0x7F}}));
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::CustomPointer);
    const int x = 60;
    const int y = 36;
    EXPECT_EQ(pixel(x + 11, y + 11), White);    // the cleared cell
    EXPECT_EQ(pixel(x + 10, y + 10), current);  // the outline's corner
    EXPECT_EQ(pixel(x + 2, y + 10), current);
    EXPECT_EQ(pixel(x + 5, y), Blue);  // the head's rim
    EXPECT_EQ(pixel(x + 5, y + 5), 0x123456u);
    EXPECT_TRUE(window.Notes[0][5] == score::EmptyCell) << "nothing is written before the release";

    dragToCell(8, 3);
    // The bar's outline is filled with the fill colour the head used; the head
    // is drawn again in the track's colour with a black rim.
    EXPECT_EQ(pixel(106, 40), current);
    EXPECT_EQ(pixel(106, 43), current);
    EXPECT_EQ(pixel(61, 40), current);
    EXPECT_EQ(pixel(90, 41), 0x123456u);
    EXPECT_EQ(pixel(x + 5, y + 5), current);
    EXPECT_EQ(pixel(x + 5, y), Black);
    EXPECT_EQ(pixel(100, 39), White);  // above the bar: the restored strip
    EXPECT_EQ(pixel(108, 41), White);  // right of it

    dragToCell(9, 3);
    EXPECT_EQ(pixel(113, 41), current);  // filled in the track's colour now
    dragToCell(6, 3);
    // Moving back restores the strip: the longer bar is gone.
    EXPECT_EQ(pixel(100, 41), White);
    EXPECT_EQ(pixel(96, 41), 0xFFCC44u);  // the beat line of column 8
    EXPECT_EQ(pixel(80, 41), current);

    dragToCell(8, 3);
    releaseCell(8, 3);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 0x45, 0x7F}, {0x80, 0x45, 0x00}}));
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::UpArrowPointer);
    EXPECT_FALSE(window.MousePressed);
    EXPECT_EQ(window.Notes[0][4], score::EmptyCell);
    EXPECT_EQ(window.Notes[0][5], 58);
    for (int column = 6; column <= 8; ++column) EXPECT_EQ(window.Notes[0][column], held(58));
    EXPECT_EQ(window.Notes[0][9], score::EmptyCell);
    for (int column = 5; column <= 8; ++column) EXPECT_EQ(window.Instruments[0][column], 24);
    // The redraw shows the note.
    EXPECT_EQ(pixel(100, 41), current);
    EXPECT_EQ(pixel(107, 41), current);
    EXPECT_EQ(pixel(108, 41), White);
}

TEST_F(DrawModeTest, ReleaseLeftOfThePressGivesOneColumnOnThePressRow) {
    auto& window = form();
    pressCell(5, 3);
    dragToCell(3, 7);
    releaseCell(3, 7);
    EXPECT_EQ(window.Notes[0][5], 58);
    EXPECT_EQ(window.Notes[0][4], score::EmptyCell);
    EXPECT_EQ(window.Notes[0][3], score::EmptyCell);
    EXPECT_EQ(window.Notes[0][6], score::EmptyCell);
    for (int column = 0; column < 20; ++column) {
        EXPECT_EQ(window.Notes[0][column] == score::EmptyCell, column != 5) << column;
    }
}

TEST_F(DrawModeTest, ReleasePastTheViewEndsTheNoteOnTheLastVisibleColumn) {
    auto& window = form();
    showView(100, FirstShownRow);
    pressCell(50, 2);
    moveOn(box(), {boxWidth() + 40, 30}, Qt::LeftButton);
    releaseOn(box(), {boxWidth() + 40, 30});
    EXPECT_EQ(window.Notes[0][150], 57);
    for (int column = 151; column <= 155; ++column) EXPECT_EQ(window.Notes[0][column], held(57));
    EXPECT_EQ(window.Notes[0][156], score::EmptyCell);
}

TEST_F(DrawModeTest, DrawingOverTheMiddleOfALongerNoteKeepsItsTailAsANote) {
    auto& window = form();
    placeNote(0, 58, 2, 20, 7);
    window.TrackInstrument[0] = 24;
    pressCell(6, 1);
    releaseCell(9, 1);
    EXPECT_EQ(window.Notes[0][2], 58);
    EXPECT_EQ(window.Notes[0][5], held(58));
    EXPECT_EQ(window.Notes[0][6], 56);
    EXPECT_EQ(window.Notes[0][9], held(56));
    EXPECT_EQ(window.Instruments[0][9], 24);
    EXPECT_EQ(window.Notes[0][10], 58);
    EXPECT_EQ(window.Instruments[0][10], 7);
    EXPECT_EQ(window.Notes[0][11], held(58));
    // The tail is drawn as a note of its own, with a head at column 10.
    EXPECT_EQ(pixel(120 + 5, 36), Black);
}

TEST_F(DrawModeTest, HiddenCurrentTrackIsDrawnOnSilentlyWhileTheOthersSound) {
    auto& window = form();
    window.TrackHide(0).setValue(1);
    placeNote(1, 60, 5, 5, 40);  // shown track 1, view row 5
    window.RedrawScore();
    mapper().clear();

    pressCell(5, 3);
    EXPECT_EQ(sent(),
              (std::vector<Bytes>{
                  {0xB1, 0x00, 0x00}, {0xB1, 0x20, 0x00}, {0xC1, 0x28, 0x00}, {0x91, 0x43, 0x7F}}));
    EXPECT_EQ(pixel(70, 46), currentColour(0));  // the head is drawn all the same
    dragToCell(7, 3);
    EXPECT_EQ(pixel(94, 40), currentColour(0));  // and the bar
    mapper().clear();
    releaseCell(7, 3);
    EXPECT_EQ(sent(),
              (std::vector<Bytes>{
                  {0xB1, 0x00, 0x00}, {0xB1, 0x20, 0x00}, {0xC1, 0x28, 0x00}, {0x81, 0x43, 0x00}}));
    EXPECT_EQ(window.Notes[0][5], 58);
    EXPECT_EQ(window.Notes[0][7], held(58));
    // The redraw leaves the hidden track out; track 1's note is there.
    EXPECT_EQ(pixel(80, 41), White);
    EXPECT_EQ(pixel(65, 60 + 5), otherColour(1));
}

TEST_F(DrawModeTest, AuditionSoundsTheOtherShownTracksOfThePressedColumn) {
    auto& window = form();
    placeNote(0, 70, 5, 5, 3);    // the current track's own note is not auditioned
    placeNote(1, 60, 5, 6, 40);   // a start at column 5
    placeNote(2, 62, 3, 6, 130);  // held at column 5, percussion: key 37 on channel 9
    placeNote(3, 64, 5, 5, 11);   // hidden below
    placeNote(4, 66, 6, 6, 12);   // nothing at column 5
    placeNote(12, 0, 5, 5, 20);   // the top pitch row sounds too: key 127
    window.TrackHide(3).setValue(1);
    mapper().clear();

    pressCell(5, 3);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 0x45, 0x7F},
                                          {0xB1, 0x00, 0x00},
                                          {0xB1, 0x20, 0x00},
                                          {0xC1, 0x28, 0x00},
                                          {0x91, 0x43, 0x7F},
                                          {0x99, 0x25, 0x7F},
                                          {0xBC, 0x00, 0x00},
                                          {0xBC, 0x20, 0x00},
                                          {0xCC, 0x14, 0x00},
                                          {0x9C, 0x7F, 0x7F}}));
    EXPECT_EQ(window.NoteChannel, 12);
    mapper().clear();
    releaseCell(5, 3);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x80, 0x45, 0x00},
                                          {0xB1, 0x00, 0x00},
                                          {0xB1, 0x20, 0x00},
                                          {0xC1, 0x28, 0x00},
                                          {0x81, 0x43, 0x00},
                                          {0x89, 0x25, 0x00},
                                          {0xBC, 0x00, 0x00},
                                          {0xBC, 0x20, 0x00},
                                          {0xCC, 0x14, 0x00},
                                          {0x8C, 0x7F, 0x00}}));
}

TEST_F(DrawModeTest, ReleaseTurnsOffExactlyWhatThePressTurnedOn) {
    auto& window = form();
    placeNote(1, 60, 5, 5, 40);
    placeNote(2, 62, 5, 5, 130);
    mapper().clear();
    pressCell(5, 3);
    const auto atPress = sent();
    ASSERT_EQ(atPress.size(), 6u);

    // Between press and release the view scrolls both ways, the column's
    // cells change and track 2 goes back to a program.
    window.HScroll1.setValue(window.HScroll1.value() + 10);
    window.VScroll1.setValue(window.VScroll1.value() + 4);
    ASSERT_EQ(window.FirstColumn, 10);
    ASSERT_EQ(window.FirstRow, FirstShownRow + 4);
    window.Notes[1][5] = score::EmptyCell;
    window.Instruments[2][5] = 3;
    window.NoteChannel = 2;
    window.SetInstrument(3);
    mapper().clear();

    releaseOn(box(), cellCentre(5, 3));
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x80, 0x45, 0x00},
                                          {0xB1, 0x00, 0x00},
                                          {0xB1, 0x20, 0x00},
                                          {0xC1, 0x28, 0x00},
                                          {0x81, 0x43, 0x00},
                                          {0x89, 0x25, 0x00}}));
}

TEST_F(DrawModeTest, AnotherButtonEndingTheDragSilencesItsNotes) {
    auto& window = form();
    placeNote(1, 60, 5, 5, 40);
    mapper().clear();
    pressCell(5, 3);
    pressCell(9, 3, Qt::RightButton);  // erases nothing: the cell is empty
    releaseCell(9, 3, Qt::RightButton);
    const auto messages = sent();
    ASSERT_EQ(messages.size(), 5u + 5u);
    EXPECT_EQ(messages[5], (Bytes{0x80, 0x45, 0x00}));
    EXPECT_EQ(messages[9], (Bytes{0x81, 0x43, 0x00}));
    // The left release that follows belongs to no gesture: nothing is written.
    mapper().clear();
    releaseCell(9, 3);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(window.Notes[0][5], score::EmptyCell);
}

TEST_F(DrawModeTest, RightPressErasesTheWholeNoteFromAnyOfItsCells) {
    auto& window = form();
    for (int pressed : {3, 5, 7}) {
        placeNote(0, 58, 3, 7, 5);
        placeNote(0, 58, 8, 9, 6);  // the next note, right after
        placeNote(1, 58, 3, 7, 5);  // another track in the same cells
        window.RedrawScore();
        mapper().clear();
        SCOPED_TRACE(pressed);
        pressCell(pressed, 3, Qt::RightButton);
        for (int column = 3; column <= 7; ++column) {
            EXPECT_EQ(window.Notes[0][column], score::EmptyCell) << column;
            EXPECT_EQ(window.Instruments[0][column], 0) << column;
        }
        EXPECT_EQ(window.Notes[0][8], 58);
        EXPECT_EQ(window.Notes[1][5], held(58));
        EXPECT_TRUE(sent().empty()) << "an erase sounds nothing";
        EXPECT_EQ(pixel(44, 41), otherColour(1));  // redrawn: only track 1 is left
        releaseCell(pressed, 3, Qt::RightButton);
    }
}

TEST_F(DrawModeTest, RightPressOnAnEmptyCellChangesNothingAndDoesNotRedraw) {
    auto& window = form();
    placeNote(1, 58, 3, 7, 5);  // not the current track
    window.RedrawScore();
    const auto notes = window.Notes;
    const std::uint64_t revision = boxRevision();
    pressCell(5, 3, Qt::RightButton);
    releaseCell(5, 3, Qt::RightButton);
    EXPECT_EQ(window.Notes, notes);
    EXPECT_EQ(boxRevision(), revision);
}

TEST_F(DrawModeTest, PressesOnTheLastPixelRowAndColumnStayInTheView) {
    auto& window = form();
    showView(999 - window.ColumnSpan, 127 - window.RowSpan);
    const QPoint corner(boxWidth() - 1, boxHeight() - 1);
    pressOn(box(), corner);
    EXPECT_EQ(window.PressColumn, window.ColumnSpan);
    EXPECT_EQ(window.PressRow, window.RowSpan);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 0x00, 0x7F}}));  // pitch row 127
    releaseOn(box(), corner);
    EXPECT_EQ(window.Notes[0][999], 127);
    EXPECT_EQ(window.Notes[0][score::LastColumn], score::EmptyCell);
    for (const auto& track : window.Notes) {
        for (std::int16_t cell : track) {
            EXPECT_TRUE(cell == score::EmptyCell || cell % score::HeldOffset <= 127);
        }
    }
}

TEST_F(DrawModeTest, EraseWalkStopsAtColumnZeroAndAtTheLastColumn) {
    auto& window = form();
    for (int column = 0; column <= 3; ++column) window.Notes[0][column] = held(58);
    window.Notes[0][4] = 58;
    pressCell(2, 3, Qt::RightButton);
    releaseCell(2, 3, Qt::RightButton);
    for (int column = 0; column <= 3; ++column) {
        EXPECT_EQ(window.Notes[0][column], score::EmptyCell) << column;
    }
    EXPECT_EQ(window.Notes[0][4], 58);

    showView(999 - window.ColumnSpan, FirstShownRow);
    placeNote(0, 58, 995, score::LastColumn, 3);
    pressCell(997 - window.FirstColumn, 3, Qt::RightButton);
    releaseCell(997 - window.FirstColumn, 3, Qt::RightButton);
    for (int column = 995; column <= score::LastColumn; ++column) {
        EXPECT_EQ(window.Notes[0][column], score::EmptyCell) << column;
    }
}

TEST_F(DrawModeTest, PointerFollowsThePressRowDuringADrag) {
    auto& window = form();
    window.LastMoveRow = 9;
    pressCell(5, 3);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::CustomPointer);
    dragToCell(6, 3);  // the previous move was in another row
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::UpArrowPointer);
    dragToCell(7, 3);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::CustomPointer);
    dragToCell(8, 5);  // compares the previous move's row
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::CustomPointer);
    dragToCell(9, 5);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::UpArrowPointer);
    releaseCell(9, 5);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::UpArrowPointer);
}

TEST_F(DrawModeTest, AMoveInTheSameColumnDrawsNothing) {
    pressCell(5, 3);
    dragToCell(8, 3);
    const auto before = snapshot();
    const std::uint64_t revision = boxRevision();
    moveOn(box(), {8 * Cell + 1, 3 * Cell + 2}, Qt::LeftButton);
    EXPECT_EQ(boxRevision(), revision);
    EXPECT_EQ(snapshot(), before);
    releaseCell(8, 3);
}

TEST_F(DrawModeTest, DragEnteringFromOutsideDrawsNothing) {
    auto& window = form();
    ASSERT_FALSE(window.MousePressed);
    const auto before = snapshot();
    dragToCell(4, 3);
    dragToCell(9, 3);
    EXPECT_EQ(snapshot(), before);
    releaseCell(9, 3);
    EXPECT_EQ(window.Notes[0][4], score::EmptyCell);
    EXPECT_TRUE(sent().empty());
}

TEST_F(DrawModeTest, ToolTipNamesTheFirstRulerMarkRightOfThePointer) {
    auto& window = form();
    // Ruler marks stand at 50 + 48 i: TopBar(1) at 98 reads "5", TopBar(2) "9".
    moveOn(box(), {0, 10}, Qt::NoButton);
    EXPECT_EQ(window.MusicBox.toolTipText(), "5");
    moveOn(box(), {98, 10}, Qt::NoButton);
    EXPECT_EQ(window.MusicBox.toolTipText(), "9");
    moveOn(box(), {boxWidth() - 2, 10}, Qt::NoButton);  // right of TopBar(12) at 626
    EXPECT_EQ(window.MusicBox.toolTipText(), "0");
}

TEST_F(DrawModeTest, NothingEditsWhilePlaying) {
    auto& window = form();
    placeNote(0, 58, 10, 12, 3);
    window.RedrawScore();
    window.Playing = true;
    const auto notes = window.Notes;
    const auto picture = snapshot();
    const std::int16_t lastMoveRow = window.LastMoveRow;

    pressCell(5, 3);
    dragToCell(8, 3);
    releaseCell(8, 3);
    pressCell(11, 3, Qt::RightButton);
    releaseCell(11, 3, Qt::RightButton);
    clickOn(window.TopBarOverlay.nativeWidget(), {200, 5});
    EXPECT_EQ(window.Notes, notes);
    EXPECT_EQ(window.CursorColumn, 900);
    EXPECT_EQ(snapshot(), picture);
    EXPECT_TRUE(sent().empty());
    EXPECT_FALSE(window.MousePressed);
    EXPECT_EQ(window.LastMoveRow, lastMoveRow);

    // A move without a button in Draw Mode still shows the ruler number.
    moveOn(box(), cellCentre(0, 6), Qt::NoButton);
    EXPECT_EQ(window.LastMoveRow, 6);
    EXPECT_EQ(window.MusicBox.toolTipText(), "5");
    window.Playing = false;
}

}  // namespace
}  // namespace edittest
