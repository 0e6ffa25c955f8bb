// The edit modes on the real window: choosing them with the option buttons
// and the draw/select toggle, the Start/Insertion Position and Select Area
// presses, the popup menu while the toggle is ticked, and the press on the
// column ruler.

#include <gtest/gtest.h>

#include <QWidget>

#include "edit/EditWindowFixture.h"

namespace edittest {
namespace {

QPoint centreOf(const forms::Control& control) {
    return {control.nativeWidget()->width() / 2, control.nativeWidget()->height() / 2};
}

class EditModesTest : public EditWindowTest {
protected:
    void SetUp() override {
        EditWindowTest::SetUp();
        ASSERT_EQ(form().ColumnSpan, 55);
    }
    void chooseMode(int mode) {
        clickOn(form().FunctionBut(mode).nativeWidget(), centreOf(form().FunctionBut(mode)));
    }
    void clickToggle() {
        clickOn(form().toolberasecheck.nativeWidget(), centreOf(form().toolberasecheck));
    }
};

TEST_F(EditModesTest, OptionButtonsChooseTheModeAndThePointer) {
    auto& window = form();
    chooseMode(1);
    EXPECT_EQ(window.EditMode, edit::InsertionMode);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::CrossPointer);
    chooseMode(2);
    EXPECT_EQ(window.EditMode, edit::SelectMode);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::CrossPointer);
    EXPECT_FALSE(window.FunctionBut(1).value());
    chooseMode(0);
    EXPECT_EQ(window.EditMode, edit::DrawMode);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::DefaultPointer);
    // Choosing by hand leaves the toggle as it is.
    EXPECT_EQ(window.toolberasecheck.value(), 0);
}

TEST_F(EditModesTest, ToggleSwitchesBetweenSelectAreaAndDrawMode) {
    auto& window = form();
    clickToggle();
    EXPECT_EQ(window.toolberasecheck.value(), 1);
    EXPECT_EQ(window.EditMode, edit::SelectMode);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::CrossPointer);
    EXPECT_FALSE(window.FunctionBut(0).value());
    EXPECT_FALSE(window.FunctionBut(1).value());
    EXPECT_TRUE(window.FunctionBut(2).value());
    clickToggle();
    EXPECT_EQ(window.toolberasecheck.value(), 0);
    EXPECT_EQ(window.EditMode, edit::DrawMode);
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::DefaultPointer);
    EXPECT_TRUE(window.FunctionBut(0).value());
    EXPECT_FALSE(window.FunctionBut(2).value());
}

TEST_F(EditModesTest, InsertionPressWithAnyButtonSetsTheCursorColumn) {
    auto& window = form();
    showView(20, FirstShownRow);
    chooseMode(1);
    const std::pair<Qt::MouseButton, int> presses[] = {
        {Qt::LeftButton, 3}, {Qt::MiddleButton, 5}, {Qt::RightButton, 7}};
    for (auto [button, column] : presses) {
        const std::uint64_t revision = boxRevision();
        pressCell(column, 2, button);
        releaseCell(column, 2, button);
        EXPECT_EQ(window.CursorColumn, 20 + column);
        EXPECT_NE(boxRevision(), revision);
    }
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(window.Notes[0][27], score::EmptyCell);
}

TEST_F(EditModesTest, InsertionRightPressWithTheToggleTickedOpensThePopupOnce) {
    auto& window = form();
    window.toolberasecheck.setValue(1);
    window.FunctionBut(1).setValue(true);
    ASSERT_EQ(window.EditMode, edit::InsertionMode);
    PopupCounter popups;
    pressCell(7, 2, Qt::RightButton);
    releaseCell(7, 2, Qt::RightButton);
    EXPECT_EQ(popups.opened(), 1);
    EXPECT_EQ(window.CursorColumn, 900);
    EXPECT_FALSE(window.MousePressed);
    pressCell(7, 2, Qt::LeftButton);  // other buttons still set the column
    EXPECT_EQ(window.CursorColumn, 7);
}

TEST_F(EditModesTest, SelectDragSelectsExtendsAndStartsAnew) {
    auto& window = form();
    showView(10, FirstShownRow);
    chooseMode(2);
    const int bottom = boxHeight() - 1;

    pressCell(2, 4);
    EXPECT_EQ(window.SelStart, 12);
    EXPECT_EQ(window.SelEnd, -1);
    EXPECT_EQ(pixel(24, 0), Blue);
    EXPECT_EQ(pixel(36, bottom), Blue);
    EXPECT_EQ(pixel(30, 0), Blue);
    dragToCell(6, 9);
    EXPECT_EQ(pixel(84, 5), Blue);
    EXPECT_EQ(pixel(24, bottom), Blue);
    EXPECT_NE(pixel(36, 5), Blue) << "the first box is wiped by the restored picture";
    releaseCell(6, 9);
    EXPECT_EQ(window.SelStart, 12);
    EXPECT_EQ(window.SelEnd, 16);
    EXPECT_NE(pixel(84, 5), Blue);

    // A press at or right of the start keeps it; the release sets a new end,
    // never left of the press.
    pressCell(5, 1);
    EXPECT_EQ(window.SelStart, 12);
    EXPECT_EQ(window.SelEnd, 16);
    releaseCell(9, 1);
    EXPECT_EQ(window.SelEnd, 19);
    pressCell(5, 1);
    releaseCell(1, 1);
    EXPECT_EQ(window.SelStart, 12);
    EXPECT_EQ(window.SelEnd, 15);

    // A press left of the start begins a new selection.
    pressCell(0, 1);
    EXPECT_EQ(window.SelStart, 10);
    EXPECT_EQ(window.SelEnd, -1);
    moveOn(box(), {boxWidth() + 30, 20}, Qt::LeftButton);
    releaseOn(box(), {boxWidth() + 30, 20});
    EXPECT_EQ(window.SelEnd, 10 + window.ColumnSpan);
}

TEST_F(EditModesTest, SelectRightPressClearsUnlessTheToggleIsTicked) {
    auto& window = form();
    showView(10, FirstShownRow);
    chooseMode(2);
    pressCell(2, 4);
    releaseCell(6, 4);
    ASSERT_EQ(window.SelEnd, 16);
    const std::uint64_t revision = boxRevision();
    pressCell(4, 4, Qt::RightButton);
    releaseCell(4, 4, Qt::RightButton);
    EXPECT_EQ(window.SelStart, -1);
    EXPECT_EQ(window.SelEnd, -1);
    EXPECT_NE(boxRevision(), revision);

    pressCell(2, 4);
    releaseCell(6, 4);
    clickToggle();  // ticked: Select Area with the popup menu
    ASSERT_EQ(window.EditMode, edit::SelectMode);
    PopupCounter popups;
    pressCell(4, 4, Qt::RightButton);
    releaseCell(4, 4, Qt::RightButton);
    EXPECT_EQ(popups.opened(), 1);
    EXPECT_EQ(window.SelStart, 12);
    EXPECT_EQ(window.SelEnd, 16);
    // The menu's first item copies the selection it left in place.
    window.mnuCopy.trigger();
    EXPECT_EQ(window.SelStart, -1);
    EXPECT_EQ(window.ClipLength, 4);
}

TEST_F(EditModesTest, DrawModeRightPressWithTheToggleTickedOpensThePopupAndErasesNothing) {
    auto& window = form();
    placeNote(0, 58, 3, 7, 5);
    window.toolberasecheck.setValue(1);
    window.FunctionBut(0).setValue(true);
    ASSERT_EQ(window.EditMode, edit::DrawMode);
    PopupCounter popups;
    pressCell(5, 3, Qt::RightButton);
    releaseCell(5, 3, Qt::RightButton);
    EXPECT_EQ(popups.opened(), 1);
    EXPECT_EQ(window.Notes[0][3], 58);
    EXPECT_EQ(window.Notes[0][7], score::HeldOffset + 58);
    // The left button still draws.
    pressCell(10, 3);
    releaseCell(10, 3);
    EXPECT_EQ(window.Notes[0][10], 58);
}

TEST_F(EditModesTest, MiddleButtonInDrawModeChangesNothing) {
    auto& window = form();
    placeNote(0, 58, 3, 7, 5);
    window.RedrawScore();
    const auto notes = window.Notes;
    const auto picture = snapshot();
    pressCell(5, 3, Qt::MiddleButton);
    releaseCell(5, 3, Qt::MiddleButton);
    EXPECT_EQ(window.Notes, notes);
    EXPECT_EQ(snapshot(), picture);
    EXPECT_TRUE(sent().empty());
}

TEST_F(EditModesTest, RulerPressNamesTheColumnUnderThePointerWithinTheView) {
    auto& window = form();
    showView(20, FirstShownRow);
    QWidget* area = window.Picmain.childHost();
    const int boxLeft = window.MusicBox.left();
    const forms::Label& mark = window.TopBar(0);
    // A press as the window delivers it: to whatever lies at that point of the
    // score area.
    auto pressAt = [&](QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = area->childAt(at);
        ASSERT_NE(target, nullptr);
        pressOn(target, target->mapFrom(area, at), button);
    };
    // Every column's place, from the band's top through the numbers' lowest row.
    for (int viewColumn = 0; viewColumn <= window.ColumnSpan; ++viewColumn) {
        for (int y : {3, mark.top(), mark.top() + mark.height() - 1}) {
            window.CursorColumn = 0;
            pressAt({boxLeft + viewColumn * Cell + (viewColumn % Cell), y});
            EXPECT_EQ(window.CursorColumn, 20 + viewColumn)
                << "column " << viewColumn << " y " << y;
        }
    }
    pressAt({boxLeft + 7 * Cell + 11, mark.top() + 6}, Qt::RightButton);
    EXPECT_EQ(window.CursorColumn, 27);
    // "Note #" is not a column.
    pressAt({window.Label10.left() + 2, window.Label10.top() + 3});
    EXPECT_EQ(window.CursorColumn, 27);
    // The redraw tints the cursor column.
    pressAt({boxLeft + 5 * Cell, mark.top()});
    EXPECT_NE(pixel(5 * Cell + 6, 2), pixel(6 * Cell + 6, 2));
}

}  // namespace
}  // namespace edittest
