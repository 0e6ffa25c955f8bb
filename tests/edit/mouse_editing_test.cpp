// Mouse editing on the real window: what a press, a drag and a release do in
// each edit mode, what they sound, and how the modes are chosen.

#include <gtest/gtest.h>

#include "edit/EditWindowFixture.h"

namespace edittest {
namespace {

using MouseEditingTest = EditWindowTest;

TEST_F(MouseEditingTest, DrawModeDragSoundsThePressedRowAndWritesItAtTheRelease) {
    auto& w = form();
    showView(100);
    w.TrackInstrument[0] = 24;
    pressCell(5, 3);  // pitch row 58, key 69
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 69, 0x7F}}));
    EXPECT_EQ(w.MusicBox.mousePointer(), forms::CustomPointer);
    EXPECT_EQ(pixel(65, 36), Blue) << "the head's rim";
    dragToCell(8, 5);
    EXPECT_EQ(pixel(106, 40), currentColour(0)) << "the bar's outline on the press row";
    dragToCell(6, 5);
    EXPECT_EQ(pixel(100, 41), White) << "the longer bar is wiped";
    EXPECT_EQ(track0(), "") << "nothing is written before the release";
    releaseCell(8, 5);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 69, 0x7F}, {0x80, 69, 0}}));
    EXPECT_EQ(w.MusicBox.mousePointer(), forms::UpArrowPointer);
    EXPECT_EQ(track0(105, 4), "58:24 +58:24 +58:24 +58:24");
    EXPECT_EQ(pixel(107, 41), currentColour(0)) << "the redraw shows the note";

    // Another button ends the gesture: the note stops, nothing is written.
    mapper().clear();
    pressCell(20, 3);
    clickCell(25, 3, Qt::RightButton);
    releaseCell(25, 3);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x90, 69, 0x7F}, {0x80, 69, 0}}));
    EXPECT_EQ(track0(), "105=58:24 106=+58:24 107=+58:24 108=+58:24");
}

TEST_F(MouseEditingTest, DrawModeReleaseIsKeptBetweenThePressAndTheViewsEnd) {
    form().TrackInstrument[0] = 24;
    const std::pair<int, std::string> releases[] = {
        {3 * Cell, "57:24 . . . . ."},
        {boxWidth() + 40, "57:24 +57:24 +57:24 +57:24 +57:24 +57:24"}};
    for (const auto& [x, cells] : releases) {
        clearNotes();
        pressCell(50, 2);
        moveOn(box(), {x, 30}, Qt::LeftButton);
        releaseOn(box(), {x, 30});
        EXPECT_EQ(track0(50, 6), cells) << x;
    }
    // A press on the box's last pixel row and column stays in the view.
    clearNotes();
    showView(999 - 55, 127 - form().RowSpan);
    clickOn(box(), {boxWidth() - 1, boxHeight() - 1});
    EXPECT_EQ(track0(999, 2), "127:24 .");
}

TEST_F(MouseEditingTest, AHiddenCurrentTrackIsDrawnSilentlyWhileTheColumnsOtherTracksSound) {
    auto& w = form();
    w.TrackInstrument[0] = 0;
    w.TrackHide(0).setValue(1);
    placeNote(0, 70, 5, 5, 3);   // the current track's own note is not auditioned
    placeNote(1, 60, 5, 6, 40);  // sounds
    placeNote(3, 64, 5, 5, 11);  // hidden: silent
    w.TrackHide(3).setValue(1);
    mapper().clear();
    pressCell(5, 3);
    EXPECT_EQ(sent(),
              (std::vector<Bytes>{{0xB1, 0, 0}, {0xB1, 0x20, 0}, {0xC1, 40, 0}, {0x91, 67, 0x7F}}));
    // The release turns off what the press turned on, whatever changed since.
    w.HScroll1.setValue(w.HScroll1.value() + 10);
    w.Notes[1][5] = score::EmptyCell;
    mapper().clear();
    releaseCell(7, 3);
    EXPECT_EQ(sent(),
              (std::vector<Bytes>{{0xB1, 0, 0}, {0xB1, 0x20, 0}, {0xC1, 40, 0}, {0x81, 67, 0}}));
    EXPECT_EQ(track0(15, 3), "58 +58 +58") << "written where the view now stands";
}

TEST_F(MouseEditingTest, DrawModeRightPressErasesTheWholeNoteUnlessTheToggleIsTicked) {
    auto& w = form();
    showView(100);
    placeNote(0, 58, 103, 107, 5);
    placeNote(1, 58, 103, 107, 5);
    w.RedrawScore();
    const auto revision = boxRevision();
    clickCell(9, 3, Qt::RightButton);  // an empty cell
    clickCell(5, 3, Qt::MiddleButton);
    EXPECT_EQ(boxRevision(), revision) << "nothing erased, nothing redrawn";

    w.toolberasecheck.setValue(1);
    w.FunctionBut(0).setValue(true);
    {
        PopupCounter popups;
        clickCell(5, 3, Qt::RightButton);
        EXPECT_EQ(popups.opened, 1);
    }
    EXPECT_EQ(track0(103, 5), "58:5 +58:5 +58:5 +58:5 +58:5");

    w.toolberasecheck.setValue(0);
    clickCell(5, 3, Qt::RightButton);
    EXPECT_EQ(track0(), "");
    EXPECT_EQ(w.Notes[1][105], score::HeldOffset + 58) << "another track's note stays";
    EXPECT_TRUE(sent().empty()) << "an erase sounds nothing";
    EXPECT_EQ(pixel(44, 41), otherColour(1)) << "redrawn";
}

TEST_F(MouseEditingTest, MovesDrawOnlyForAPressInTheBoxAndOnlyInANewColumn) {
    auto& w = form();
    const auto before = snapshot();
    dragToCell(4, 3);  // entering with the button held
    EXPECT_EQ(snapshot(), before);

    w.LastMoveRow = 9;
    pressCell(5, 3);
    dragToCell(8, 3);  // the previous move was in another row
    EXPECT_EQ(w.MusicBox.mousePointer(), forms::UpArrowPointer);
    const auto revision = boxRevision();
    moveOn(box(), {8 * Cell + 1, 3 * Cell + 2}, Qt::LeftButton);
    EXPECT_EQ(boxRevision(), revision);
    EXPECT_EQ(w.MusicBox.mousePointer(), forms::CustomPointer);
    releaseCell(8, 3);

    // The tool tip names the first ruler mark right of the pointer.
    moveOn(box(), {0, 10}, Qt::NoButton);
    EXPECT_EQ(w.MusicBox.toolTipText(), "5");
    moveOn(box(), {boxWidth() - 2, 10}, Qt::NoButton);
    EXPECT_EQ(w.MusicBox.toolTipText(), "0");
}

TEST_F(MouseEditingTest, NothingEditsWhilePlaying) {
    auto& w = form();
    placeNote(0, 58, 10, 12, 3);
    w.RedrawScore();
    w.Playing = true;
    const auto notes = w.Notes;
    const auto picture = snapshot();
    pressCell(5, 3);
    dragToCell(8, 3);
    releaseCell(8, 3);
    clickCell(11, 3, Qt::RightButton);
    clickOn(w.TopBarOverlay.nativeWidget(), {200, 5});
    EXPECT_EQ(w.Notes, notes);
    EXPECT_EQ(w.CursorColumn, 900);
    EXPECT_EQ(snapshot(), picture);
    EXPECT_TRUE(sent().empty());
    moveOn(box(), cellCentre(0, 6), Qt::NoButton);  // still names the ruler number
    EXPECT_EQ(w.LastMoveRow, 6);
    w.Playing = false;
}

TEST_F(MouseEditingTest, OptionButtonsAndTheToggleChooseTheModeAndThePointer) {
    auto& w = form();
    const struct {
        forms::Control* control;
        int mode;
        int pointer;
    } steps[] = {{&w.FunctionBut(2), edit::SelectMode, forms::CrossPointer},
                 {&w.FunctionBut(1), edit::InsertionMode, forms::CrossPointer},
                 {&w.FunctionBut(0), edit::DrawMode, forms::DefaultPointer},
                 {&w.toolberasecheck, edit::SelectMode, forms::CrossPointer},
                 {&w.toolberasecheck, edit::DrawMode, forms::DefaultPointer}};
    for (const auto& step : steps) {
        click(*step.control);
        EXPECT_EQ(w.EditMode, step.mode);
        EXPECT_EQ(w.MusicBox.mousePointer(), step.pointer);
        EXPECT_TRUE(w.FunctionBut(step.mode).value());
    }
}

TEST_F(MouseEditingTest, InsertionPressWithAnyButtonSetsTheCursorUnlessTheMenuOpens) {
    auto& w = form();
    showView(20);
    click(w.FunctionBut(1));
    for (const auto button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
        w.CursorColumn = 0;
        const auto revision = boxRevision();
        clickCell(7, 2, button);
        EXPECT_EQ(w.CursorColumn, 27);
        EXPECT_NE(boxRevision(), revision);
    }
    w.toolberasecheck.setValue(1);
    w.FunctionBut(1).setValue(true);
    PopupCounter popups;
    clickCell(3, 2, Qt::RightButton);
    EXPECT_EQ(popups.opened, 1);
    EXPECT_EQ(w.CursorColumn, 27);
    EXPECT_TRUE(sent().empty());
}

TEST_F(MouseEditingTest, SelectAreaDragsSelectAPressFromTheStartOnExtendsIt) {
    auto& w = form();
    showView(10);
    click(w.FunctionBut(2));
    pressCell(2, 4);
    EXPECT_EQ(selection(), std::pair(12, -1));
    dragToCell(1, 9);
    EXPECT_EQ(pixel(36, 5), Blue) << "left of the press the box keeps the press's column";
    dragToCell(6, 9);
    EXPECT_EQ(pixel(84, 5), Blue) << "the selection box's right edge";
    EXPECT_NE(pixel(36, 5), Blue) << "the press's box is wiped";
    releaseCell(6, 9);
    EXPECT_EQ(w.SelEnd, 16);

    // Pressed on the start itself, right of it, and left of it.
    const struct {
        int press, release;
        bool extends;
        int selStart, selEnd;
    } gestures[] = {{2, 4, true, 12, 14}, {5, 1, true, 12, 15}, {0, 3, false, 10, 13}};
    for (const auto& g : gestures) {
        const std::int16_t endBefore = w.SelEnd;
        pressCell(g.press, 1);
        EXPECT_EQ(w.SelEnd, g.extends ? endBefore : -1) << g.press;
        releaseCell(g.release, 1);
        EXPECT_EQ(selection(), std::pair(g.selStart, g.selEnd)) << g.press;
    }

    w.toolberasecheck.setValue(1);  // ticked: the right button opens the menu
    {
        PopupCounter popups;
        clickCell(4, 4, Qt::RightButton);
        EXPECT_EQ(popups.opened, 1);
        EXPECT_EQ(w.SelStart, 10);
    }
    w.toolberasecheck.setValue(0);
    click(w.FunctionBut(2));
    const auto revision = boxRevision();
    clickCell(4, 4, Qt::RightButton);
    EXPECT_EQ(selection(), std::pair(-1, -1));
    EXPECT_NE(boxRevision(), revision);
}

TEST_F(MouseEditingTest, RulerPressNamesTheColumnUnderThePointerWithinTheView) {
    auto& w = form();
    showView(20);
    QWidget* area = w.Picmain.childHost();
    const int boxLeft = w.MusicBox.left();
    const forms::Label& mark = w.TopBar(0);
    // A press as the window delivers it: to whatever lies at that point.
    auto pressAt = [&](QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = area->childAt(at);
        ASSERT_NE(target, nullptr);
        pressOn(target, target->mapFrom(area, at), button);
    };
    // Every column's place, from the band's top through the numbers' lowest row.
    for (int viewColumn = 0; viewColumn <= w.ColumnSpan; ++viewColumn) {
        for (int y : {3, mark.top(), mark.top() + mark.height() - 1}) {
            w.CursorColumn = 0;
            pressAt({boxLeft + viewColumn * Cell + (viewColumn % Cell), y});
            EXPECT_EQ(w.CursorColumn, 20 + viewColumn) << "column " << viewColumn << " y " << y;
        }
    }
    pressAt({boxLeft + 7 * Cell + 11, mark.top() + 6}, Qt::RightButton);
    EXPECT_EQ(w.CursorColumn, 27);
    // "Note #" is not a column.
    pressAt({w.Label10.left() + 2, w.Label10.top() + 3});
    EXPECT_EQ(w.CursorColumn, 27);
    pressAt({boxLeft + 5 * Cell, 8});
    EXPECT_NE(pixel(5 * Cell + 6, 2), pixel(6 * Cell + 6, 2)) << "the redraw marks the cursor";
}

}  // namespace
}  // namespace edittest
