// The clipboard on the real window: the Editing toolbar's buttons clicked
// with the mouse, the right-click menu's items chosen from the open menu, and
// what each leaves of the selection, the cursor column and the edit mode.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "edit/EditWindowFixture.h"
#include "platform/forms/Application.h"

namespace {

using namespace edittest;
using score::EmptyCell;

// Chooses an item from each popup menu that opens while it lives.
class PopupChooser {
public:
    explicit PopupChooser(forms::Menu& item) : item_(item) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++opened;
                popup->setActiveAction(item_.action());
                item_.action()->trigger();
                popup->close();
            }
        });
        timer_.start();
    }
    int opened = 0;

private:
    forms::Menu& item_;
    QTimer timer_;
};

class ClipboardWindowTest : public EditWindowTest {
protected:
    void click(forms::Control& control) {
        QWidget* widget = control.nativeWidget();
        clickOn(widget, {widget->width() / 2, widget->height() / 2});
    }
    void selectColumns(int firstView, int lastView) {
        pressCell(firstView, 3);
        dragToCell(lastView, 3);
        releaseCell(lastView, 3);
    }
    // Ticks the draw/select toggle, which ends in Select Area with the menu on
    // the right button.
    void tickToggle() {
        click(form().toolberasecheck);
        ASSERT_EQ(form().toolberasecheck.value(), 1);
        ASSERT_EQ(form().EditMode, edit::SelectMode);
    }
    void chooseFromMenu(forms::Menu& item) {
        PopupChooser chooser(item);
        pressCell(10, 3, Qt::RightButton);
        releaseCell(10, 3, Qt::RightButton);
        ASSERT_EQ(chooser.opened, 1);
    }
    // Columns 0..29 of track 0 each hold their own number as a note start.
    void numberColumns() {
        for (int c = 0; c < 30; ++c) {
            form().Notes[0][c] = static_cast<std::int16_t>(c);
            form().Instruments[0][c] = 7;
        }
    }
};

TEST_F(ClipboardWindowTest, CutButtonTakesTheDraggedColumnsOutAndWaitsForAPastePosition) {
    auto& w = form();
    numberColumns();
    placeNote(1, 60, 3, 8, 5);
    w.TrackHide(2).setValue(1);
    placeNote(2, 61, 3, 8, 6);
    click(w.FunctionBut(2));
    selectColumns(2, 4);
    ASSERT_EQ(w.SelStart, 2);
    ASSERT_EQ(w.SelEnd, 4);
    const auto revision = boxRevision();

    click(w.CutBut);
    EXPECT_EQ(w.Notes[0][1], 1);
    EXPECT_EQ(w.Notes[0][2], 5);
    EXPECT_EQ(w.Notes[0][26], 29);
    EXPECT_EQ(w.Notes[0][27], EmptyCell);
    EXPECT_EQ(w.Notes[1][2], 60) << "the note's tail arriving at the gap starts anew";
    EXPECT_EQ(w.Notes[1][5], 1060);
    EXPECT_EQ(w.Notes[1][6], EmptyCell);
    EXPECT_EQ(w.Notes[2][3], 61) << "a hidden track does not move";
    EXPECT_EQ(w.ClipLength, 2);
    EXPECT_EQ(w.ClipNotes[0][0], 2);
    EXPECT_EQ(w.ClipNotes[1][1], 60) << "the copy starts the held note";
    EXPECT_EQ(w.ClipNotes[2][1], EmptyCell);
    EXPECT_EQ(w.SelStart, -1);
    EXPECT_EQ(w.SelEnd, -1);
    EXPECT_EQ(w.EditMode, edit::InsertionMode);
    EXPECT_TRUE(w.FunctionBut(1).value());
    EXPECT_NE(boxRevision(), revision);

    // Without a selection the button does nothing more.
    const auto notes = w.Notes;
    click(w.CutBut);
    EXPECT_EQ(w.Notes, notes);
}

TEST_F(ClipboardWindowTest, MenuCopyThenPressAndPasteWritesTheColumnsAtTheCursor) {
    auto& w = form();
    numberColumns();
    tickToggle();
    selectColumns(5, 7);
    chooseFromMenu(w.mnuCopy);
    EXPECT_EQ(w.ClipLength, 2);
    EXPECT_EQ(w.ClipNotes[0][0], 5);
    EXPECT_EQ(w.SelStart, -1);
    EXPECT_EQ(w.EditMode, edit::InsertionMode);

    pressCell(20, 3);
    releaseCell(20, 3);
    ASSERT_EQ(w.CursorColumn, 20);
    click(w.PasteBut);
    EXPECT_EQ(w.Notes[0][20], 5);
    EXPECT_EQ(w.Notes[0][22], 7);
    EXPECT_EQ(w.Notes[0][23], 23);
    EXPECT_EQ(w.Instruments[0][21], 7);
    EXPECT_EQ(w.CursorColumn, 20);
    EXPECT_EQ(w.toolberasecheck.value(), 0);
    EXPECT_EQ(w.EditMode, edit::DrawMode) << "unticking the toggle chose Draw Mode";
    // The clipboard stays for another paste.
    w.CursorColumn = 25;
    click(w.PasteBut);
    EXPECT_EQ(w.Notes[0][25], 5);
}

// The menu pair mirrors the toolbar pair: "Replace Selection" pastes over the
// cursor's columns, "Insert Selection" moves them right first.
TEST_F(ClipboardWindowTest, MenuReplacePastesOverAndInsertMakesRoom) {
    auto& w = form();
    numberColumns();
    w.SelStart = 0;
    w.SelEnd = 1;
    w.CopySelection();
    w.SelStart = -1;
    w.SelEnd = -1;
    w.CursorColumn = 10;

    tickToggle();
    chooseFromMenu(w.mnuEdit);
    EXPECT_EQ(w.Notes[0][10], 0);
    EXPECT_EQ(w.Notes[0][11], 1);
    EXPECT_EQ(w.Notes[0][12], 12);
    EXPECT_EQ(w.toolberasecheck.value(), 0);
    EXPECT_EQ(w.EditMode, edit::DrawMode);

    w.CursorColumn = 20;
    tickToggle();
    chooseFromMenu(w.mnuInsert);
    EXPECT_EQ(w.Notes[0][20], 0);
    EXPECT_EQ(w.Notes[0][21], 1);
    EXPECT_EQ(w.Notes[0][22], 20) << "the cursor's notes moved right, none lost";
    EXPECT_EQ(w.Notes[0][23], 21);
    EXPECT_EQ(w.Instruments[0][22], 7);
    EXPECT_EQ(w.toolberasecheck.value(), 0);
    EXPECT_EQ(w.EditMode, edit::DrawMode);
}

TEST_F(ClipboardWindowTest, MenuEraseCutsTheSelection) {
    auto& w = form();
    numberColumns();
    tickToggle();
    selectColumns(0, 9);
    chooseFromMenu(w.mnuErase);
    EXPECT_EQ(w.Notes[0][0], 10);
    EXPECT_EQ(w.ClipLength, 9);
    EXPECT_EQ(w.SelStart, -1);
}

// The menu's items and the transforms can run while a selection drag has set
// no end yet: they change nothing, as without a selection.
TEST_F(ClipboardWindowTest, CommandsDuringASelectionDragChangeNothing) {
    auto& w = form();
    numberColumns();
    w.ClipNotes[3][0] = 44;
    w.ClipLength = 6;
    click(w.FunctionBut(2));
    pressCell(4, 3);
    ASSERT_EQ(w.SelStart, 4);
    ASSERT_EQ(w.SelEnd, -1);
    const auto notes = w.Notes;
    const auto clipNotes = w.ClipNotes;
    w.mnuErase_Click();
    w.mnuCopy_Click();
    w.TransposeBut_Click(1);
    w.InvertSelection();
    w.ReverseSelection();
    EXPECT_EQ(w.Notes, notes);
    EXPECT_EQ(w.ClipNotes, clipNotes);
    EXPECT_EQ(w.ClipLength, 6);
    EXPECT_EQ(w.SelStart, 4);
    EXPECT_EQ(w.EditMode, edit::SelectMode);
    releaseCell(6, 3);
}

TEST_F(ClipboardWindowTest, CopyWithoutASelectionKeepsTheClipboardAndTheMode) {
    auto& w = form();
    w.ClipNotes[3][0] = 44;
    w.ClipLength = 6;
    w.SelStart = -1;
    w.SelEnd = -1;
    w.CopyBut_Click();
    w.mnuCopy_Click();
    EXPECT_EQ(w.ClipNotes[3][0], 44);
    EXPECT_EQ(w.ClipLength, 6);
    EXPECT_EQ(w.EditMode, edit::DrawMode);
}

TEST_F(ClipboardWindowTest, PasteWithInsertionNearTheEndPastesWhatFits) {
    auto& w = form();
    for (int c = 0; c <= 10; ++c) w.Notes[4][c] = static_cast<std::int16_t>(c);
    w.SelStart = 0;
    w.SelEnd = 10;
    w.CopySelection();
    w.SelStart = -1;
    w.SelEnd = -1;
    for (int c = 990; c <= 1000; ++c) w.Notes[5][c] = 90;
    w.CursorColumn = 995;
    click(w.PasteIntoBut);
    for (int c = 995; c <= 1000; ++c) EXPECT_EQ(w.Notes[4][c], c - 995) << c;
    EXPECT_EQ(w.Notes[5][994], 90);
    for (int c = 995; c <= 1000; ++c) EXPECT_EQ(w.Notes[5][c], EmptyCell) << c;
}

TEST_F(ClipboardWindowTest, InsertSpaceOpensOneColumnAndKeepsTheMode) {
    auto& w = form();
    numberColumns();
    click(w.FunctionBut(2));
    w.CursorColumn = 3;
    click(w.InsertColumnBut);
    EXPECT_EQ(w.Notes[0][2], 2);
    EXPECT_EQ(w.Notes[0][3], EmptyCell);
    EXPECT_EQ(w.Notes[0][4], 3);
    EXPECT_EQ(w.EditMode, edit::SelectMode);

    w.Notes[0][999] = 9;
    w.Notes[0][1000] = 10;
    w.CursorColumn = 1000;
    click(w.InsertColumnBut);
    EXPECT_EQ(w.Notes[0][999], 9);
    EXPECT_EQ(w.Notes[0][1000], EmptyCell);
}

}  // namespace
