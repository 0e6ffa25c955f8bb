// The editing controls on the real window: which button or menu item runs
// which grid edit, and what each leaves of the selection, the cursor, the
// edit mode and the toggle; track selection and hiding; the rhythm tools.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <functional>

#include "edit/EditWindowFixture.h"

namespace edittest {
namespace {

class EditCommandsTest : public EditWindowTest {
protected:
    // Track 0 holds "0:7 1:7 ... 29:7"; hidden track 2 a note over the same
    // columns, which no command may change.
    void numberColumns() {
        auto& w = form();
        for (int c = 0; c < 30; ++c) placeNote(0, c, c, c, 7);
        placeNote(2, 61, 0, 29, 6);
        w.TrackHide(2).setValue(1);
    }
    // Dark pixels inside a hide box's bevel: the marker of the selected track.
    int markerPixels(int track) {
        const QImage image = form().TrackHide(track).nativeWidget()->grab().toImage();
        int found = 0;
        for (int y = 3; y < image.height() - 3; ++y) {
            for (int x = 3; x < image.width() - 3; ++x)
                found += QColor(image.pixel(x, y)).lightness() < 200;
        }
        return found;
    }
};

TEST_F(EditCommandsTest, CopyAndCutTakeTheSelectionAndWaitForAPastePosition) {
    auto& w = form();
    const struct {
        forms::Control* button;
        forms::Menu* item;
        const char* cellsAfter;
    } commands[] = {{&w.CopyBut, nullptr, "1:7 2:7 3:7"},
                    {&w.CutBut, nullptr, "1:7 5:7 6:7"},
                    {nullptr, &w.mnuCopy, "1:7 2:7 3:7"},
                    {nullptr, &w.mnuErase, "1:7 5:7 6:7"}};
    for (const auto& c : commands) {
        numberColumns();
        const auto hiddenTrack = w.Notes[2];
        click(w.FunctionBut(0));
        w.SelStart = 2;
        w.SelEnd = 4;
        c.button ? click(*c.button) : c.item->trigger();
        EXPECT_EQ(track0(1, 3), c.cellsAfter);
        EXPECT_EQ(cellsText(w.ClipNotes, w.ClipInstruments, 0, 0, 3), "2:7 3:7 4:7");
        EXPECT_EQ(w.ClipLength, 2);
        EXPECT_EQ(w.ClipNotes[2][0], score::EmptyCell) << "a hidden track is not copied";
        EXPECT_EQ(w.Notes[2], hiddenTrack);
        EXPECT_EQ(selection(), std::pair(-1, -1)) << "the selection is gone";
        EXPECT_EQ(w.EditMode, edit::InsertionMode);
        EXPECT_TRUE(w.FunctionBut(edit::InsertionMode).value());
    }
    // Without a selection they keep the clipboard and the mode.
    click(w.FunctionBut(0));
    w.ClipLength = 6;
    click(w.CopyBut);
    click(w.CutBut);
    EXPECT_EQ(w.ClipLength, 6);
    EXPECT_EQ(w.EditMode, edit::DrawMode);
}

TEST_F(EditCommandsTest, PastesAndInsertionWorkAtTheCursor) {
    auto& w = form();
    const struct {
        forms::Control* button;
        forms::Menu* item;
        const char* cells;  // columns 9..13
        int toggleAfter;
    } commands[] = {{&w.PasteBut, nullptr, "9:7 70:9 +70:9 12:7 13:7", 0},
                    {nullptr, &w.mnuEdit, "9:7 70:9 +70:9 12:7 13:7", 0},
                    {&w.PasteIntoBut, nullptr, "9:7 70:9 +70:9 10:7 11:7", 0},
                    {nullptr, &w.mnuInsert, "9:7 70:9 +70:9 10:7 11:7", 0},
                    {&w.InsertColumnBut, nullptr, "9:7 . 10:7 11:7 12:7", 1}};
    for (const auto& c : commands) {
        clearNotes();
        numberColumns();
        const auto hiddenTrack = w.Notes[2];
        for (int track : {0, 2}) putCells(w.ClipNotes, w.ClipInstruments, track, 0, "70:9 +70:9");
        w.ClipLength = 1;
        w.CursorColumn = 10;
        w.toolberasecheck.setValue(1);
        c.button ? click(*c.button) : c.item->trigger();
        EXPECT_EQ(track0(9, 5), c.cells);
        EXPECT_EQ(w.Notes[2], hiddenTrack);
        EXPECT_EQ(w.toolberasecheck.value(), c.toggleAfter) << c.cells;
        EXPECT_EQ(w.EditMode, c.toggleAfter ? edit::SelectMode : edit::DrawMode);
        EXPECT_EQ(w.CursorColumn, 10);
    }
}

TEST_F(EditCommandsTest, TransformButtonsWorkOnTheSelectionOrTheWholeScore) {
    auto& w = form();
    placeNote(0, 60, 12, 16, 4);
    w.SelStart = 10;
    w.SelEnd = 14;
    click(w.TransposeBut(1));  // up: the row number falls
    EXPECT_EQ(track0(12, 5), "59:4 +59:4 +59:4 60:4 +60:4");
    EXPECT_EQ(selection(), std::pair(10, 14)) << "the selection stays";
    click(w.TransposeBut(0));
    EXPECT_EQ(track0(12, 5), "60:4 +60:4 +60:4 60:4 +60:4");

    // While a selection is being dragged no command acts.
    clearNotes();
    placeNote(0, 60, 0, 0, 2);
    placeNote(1, 20, 4, 5, 3);
    w.SelEnd = -1;
    const auto notes = w.Notes;
    for (auto* command : {&w.TransposeBut(0), &w.TransposeBut(1), &w.Command12, &w.Command13}) {
        command->Click();
    }
    w.mnuErase.trigger();
    EXPECT_EQ(w.Notes, notes);

    // Without a selection: reverse up to the last column used, invert all.
    w.SelStart = -1;
    w.Command12.Click();
    EXPECT_EQ(track0(0, 6), ". . . . . 60:2");
    EXPECT_EQ(w.Notes[1][0], 20);
    w.Command13.Click();
    EXPECT_EQ(w.Notes[0][5], 67);
    click(w.TransposeBut(0));
    EXPECT_EQ(w.Notes[0][5], 68);
}

TEST_F(EditCommandsTest, SelectingATrackMakesItCurrentAndPlaysItsInstrument) {
    auto& w = form();
    placeNote(5, 58, 3, 6, 0);
    w.Instxt.setText("24");
    click(w.TrackSel(5));
    EXPECT_EQ(w.CurrentTrack, 5);
    EXPECT_EQ(w.NoteChannel, 5);
    EXPECT_EQ(w.CurrentTrackColour, currentColour(5));
    for (int track = 0; track < score::TrackCount; ++track) {
        EXPECT_EQ(w.TrackHide(track).enabled(), track != 5) << track;
    }
    EXPECT_EQ(w.TrackInstrument[5], 24);
    EXPECT_EQ(pixel(60, 41), currentColour(5));
    EXPECT_EQ(sent(),
              (std::vector<Bytes>{
                  {0xB5, 0, 0}, {0xB5, 0x20, 0}, {0xC5, 24, 0}, {0x95, 60, 0x7F}, {0x85, 60, 0}}));
    clickCell(10, 3);
    EXPECT_EQ(w.Notes[5][10], 58) << "new notes go to the current track";

    // One button stays selected over the melody and rhythm groups, marked on its box.
    click(w.TrackSel(9));
    click(w.TrackSel(2));
    int selected = 0;
    for (const auto& [track, button] : w.TrackSel) selected += button->value() ? 1 : 0;
    EXPECT_EQ(selected, 1);
    EXPECT_TRUE(w.TrackSel(2).value());
    EXPECT_GT(markerPixels(2), 0);
    EXPECT_EQ(markerPixels(9), 0);

    // A press released outside the button changes nothing.
    QWidget* button = w.TrackSel(10).nativeWidget();
    pressOn(button, {5, 5});
    releaseOn(button, {button->width() + 40, button->height() + 40});
    EXPECT_EQ(w.CurrentTrack, 2);
}

TEST_F(EditCommandsTest, AHiddenTrackLeavesThePictureAndCannotBeSelected) {
    auto& w = form();
    placeNote(3, 58, 3, 6, 0);
    w.RedrawScore();
    ASSERT_EQ(pixel(60, 41), otherColour(3));
    click(w.TrackHide(3));
    EXPECT_EQ(pixel(60, 41), White);
    EXPECT_FALSE(w.TrackSel(3).enabled());
    EXPECT_EQ(w.TrackHide(3).backColor(), Black);
    click(w.TrackSel(3));
    EXPECT_EQ(w.CurrentTrack, 0);
    click(w.TrackHide(3));
    EXPECT_TRUE(w.TrackSel(3).enabled());
    EXPECT_EQ(w.TrackHide(3).backColor(), White);
    EXPECT_EQ(pixel(60, 41), otherColour(3));
}

TEST_F(EditCommandsTest, CreateRythmRepeatsThePatternFromTheCursorAndReturnsToTheStart) {
    auto& w = form();
    for (int c = 0; c <= 8; ++c) placeNote(8, 60 + c, c, c, 130 + c);
    placeNote(3, 50, 0, 80, 1);
    const auto melody = w.Notes[3];
    click(w.FunctionBut(edit::SelectMode));
    w.SelStart = 20;
    w.SelEnd = 30;
    w.CursorColumn = 100;
    w.HScroll1.setValue(w.HalfColumns + 200);
    click(w.Command7);  // Beats 8, Repeat 8, Notes 60
    // Copies at 100, 108, ..., 156; each copy's last column is the next one's first.
    for (int c = 100; c <= 164; ++c) {
        const int source = c == 164 ? 8 : (c - 100) % 8;
        ASSERT_EQ(w.Notes[8][c], 60 + source) << c;
        ASSERT_EQ(w.Instruments[8][c], 130 + source) << c;
    }
    EXPECT_EQ(w.Notes[8][165], score::EmptyCell);
    EXPECT_EQ(w.Notes[3], melody);
    EXPECT_EQ(w.ClipLength, 8);
    EXPECT_EQ(selection(), std::pair(-1, -1));
    EXPECT_EQ(w.CursorColumn, 0);
    EXPECT_EQ(w.FirstColumn, 0);
    EXPECT_EQ(w.EditMode, edit::DrawMode);

    // A Repeat below 1 could never advance: nothing changes.
    w.SelStart = 3;
    w.SelEnd = 5;
    w.CursorColumn = 40;
    const auto notes = w.Notes;
    w.Text4.setText("0");
    click(w.Command7);
    EXPECT_EQ(w.Notes, notes);
    EXPECT_EQ(w.ClipLength, 8);
    EXPECT_EQ(selection(), std::pair(3, 5));
    EXPECT_EQ(w.CursorColumn, 40);
}

TEST_F(EditCommandsTest, BeatsStaysWithinRepeatAsTheBoxesAndStripsChange) {
    auto& w = form();
    ASSERT_EQ(w.Text4.text(), "8");
    w.Text5.setText("9");
    EXPECT_EQ(w.Text5.text(), "8");
    w.Text5.setText("6");
    EXPECT_EQ(w.Text5.text(), "6");
    w.Text4.setText("4");
    EXPECT_EQ(w.Text5.text(), "4");

    // The strips report X in twips, 15 to the pixel, fifty to a step.
    w.Text4.setText("40");
    QWidget* beats = w.Label5.nativeWidget();
    QWidget* repeat = w.Label7.nativeWidget();
    pressOn(beats, {20, 5});
    EXPECT_EQ(w.Text5.text(), "6");
    moveOn(beats, {40, 5}, Qt::LeftButton);
    EXPECT_EQ(w.Text5.text(), "12");
    EXPECT_EQ(w.Label5.toolTipText(), "Beats = 12");
    moveOn(beats, {10, 5}, Qt::NoButton);  // only names the value
    EXPECT_EQ(w.Text5.text(), "12");
    EXPECT_EQ(w.Label5.toolTipText(), "Beats = 3");
    releaseOn(beats, {10, 5});

    pressOn(repeat, {10, 5}, Qt::RightButton);
    EXPECT_EQ(w.Text4.text(), "3");
    EXPECT_EQ(w.Text5.text(), "3");
    moveOn(repeat, {60, 5}, Qt::LeftButton);
    EXPECT_EQ(w.Text4.text(), "18");
    EXPECT_EQ(w.Label7.toolTipText(), "Repeat every 18");
    releaseOn(repeat, {60, 5}, Qt::RightButton);
}

}  // namespace
}  // namespace edittest
