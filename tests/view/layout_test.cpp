// The main window's layout at the sizes that matter, on the real window.

#include <gtest/gtest.h>

#include "platform/forms/Application.h"
#include "view/ViewTestFixture.h"

namespace viewtest {
namespace {

class LayoutTest : public ScoreViewTest {};

TEST_F(LayoutTest, ClientAreaOf750By600) {
    auto& w = form();
    ASSERT_EQ(w.scaleWidth(), 750);
    ASSERT_EQ(w.scaleHeight(), 600);
    EXPECT_EQ(w.ColumnSpan, 55);
    EXPECT_EQ(w.RowSpan, 34);
    EXPECT_EQ(w.MusicBox.width(), 673);
    EXPECT_EQ(w.MusicBox.height(), 421);
    EXPECT_EQ(w.MusicBox.scaleWidth(), 673);
    EXPECT_EQ(w.MusicBox.scaleHeight(), 421);
    EXPECT_EQ(w.MusicBox.left(), 45);
    EXPECT_EQ(w.MusicBox.top(), 28);
    EXPECT_EQ(w.Picmain.height(), 486);
    EXPECT_EQ(w.HalfColumns, 28);
    EXPECT_EQ(w.HalfRows, 17);

    EXPECT_EQ(w.HScroll1.min(), 28);
    EXPECT_EQ(w.HScroll1.max(), 972);
    EXPECT_EQ(w.HScroll1.largeChange(), 56);
    EXPECT_EQ(w.VScroll1.min(), 17);
    EXPECT_EQ(w.VScroll1.max(), 110);
    EXPECT_EQ(w.VScroll1.largeChange(), 35);
    EXPECT_EQ(w.HScroll1.value(), w.FirstColumn + 28);
    EXPECT_EQ(w.VScroll1.value(), w.FirstRow + 17);

    // The companions follow the score box.
    EXPECT_EQ(w.HScroll1.width(), 673);
    EXPECT_EQ(w.HScroll1.top(), 28 + 421 + 1);
    EXPECT_EQ(w.HScroll1.left(), 45);
    EXPECT_EQ(w.VScroll1.height(), 421);
    EXPECT_EQ(w.VScroll1.left(), 45 + 673 + 1);
    EXPECT_EQ(w.VScroll1.top(), 27);
    EXPECT_EQ(w.TopBarOverlay.width(), 673);
    EXPECT_EQ(w.Shape2.left() + w.Shape2.width(), w.MusicBox.left() + 673 + 20);
    EXPECT_EQ(w.SideBar.height(), 441);
    EXPECT_EQ(w.SideBar.top(), 29);
    EXPECT_EQ(w.Image1.left(), 0);
    EXPECT_EQ(w.Image1.top(), 0);
    EXPECT_EQ(w.Image1.width(), w.Picmain.width());
    EXPECT_EQ(w.Image1.height(), 486);
    EXPECT_EQ(w.SwapScreen.scaleWidth(), 673);
    EXPECT_EQ(w.SwapScreen.scaleHeight(), 421);
    EXPECT_EQ(w.BlueBox.scaleWidth(), 673);
    EXPECT_EQ(w.BlueBox.scaleHeight(), 421);
    EXPECT_EQ(w.RedBox.scaleHeight(), 421);
    EXPECT_EQ(w.RedBox.scaleWidth(), 12);
    EXPECT_EQ(w.GreenBox.height(), 421);
    // The tint sources stay one solid colour over their whole size.
    EXPECT_EQ(w.BlueBox.surface().pixel(672, 420), Blue);
    EXPECT_EQ(w.RedBox.surface().pixel(11, 420), Red);

    EXPECT_FALSE(w.Resizing);
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_TRUE(w.Picmain.visible());
    EXPECT_EQ(w.LastVisibleColumn, w.FirstColumn + 55);
    EXPECT_EQ(w.LastVisibleRow, w.FirstRow + 34);
}

TEST_F(LayoutTest, LayoutRefillsTheSideBarAndRulerAndRedraws) {
    auto& w = form();
    w.ViewRedrawn = false;
    w.SideBar.setCaption("");
    w.MusicBox.surface().filledBox(0, 0, 100, 100, 0x00FF00);
    w.Form_Resize();
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_EQ(w.SideBar.caption().substr(0, 4), "6C\r\n");
    EXPECT_EQ(w.TopBar(0).caption(), "1");
    EXPECT_EQ(w.MusicBox.surface().pixel(30, 16), White);  // 6B, column 2
}

TEST_F(LayoutTest, TheWindowsResizeEventLaysItOut) {
    auto& w = form();
    w.setClientSize(900, 700);
    forms::doEvents();
    EXPECT_EQ(w.ColumnSpan, (900 - 70) / 12 - 1);
    EXPECT_EQ(w.RowSpan, (700 - 40) / 16 - 1);
    EXPECT_EQ(w.MusicBox.width(), (w.ColumnSpan + 1) * 12 + 1);
}

TEST_F(LayoutTest, OpeningAToolbarTakesRowsAndClosingGivesThemBack) {
    auto& w = form();
    w.toolbEdit.setHeight(26);
    w.toolbEdit.setVisible(true);
    w.Form_Resize();
    EXPECT_EQ(w.RowSpan, (600 - 40 - 26) / 16 - 1);
    EXPECT_EQ(w.FirstRow, 55);
    w.toolbEdit.setVisible(false);
    w.Form_Resize();
    EXPECT_EQ(w.RowSpan, 34);
    EXPECT_EQ(w.FirstRow, 55);
}

TEST_F(LayoutTest, ToolbarsTallerThanTheWindowLeaveAnEmptyScoreBox) {
    auto& w = form();
    w.toolbSetup.setHeight(300);
    w.toolbSetup.setVisible(true);
    w.toolbRythm.setHeight(300);
    w.toolbRythm.setVisible(true);
    w.Form_Resize();
    EXPECT_EQ(w.RowSpan, -1);
    EXPECT_EQ(w.MusicBox.height(), 1);
    EXPECT_GE(w.FirstRow, 0);
    EXPECT_LE(w.FirstRow, 127);
    EXPECT_GE(w.VScroll1.max(), w.VScroll1.min());
    EXPECT_FALSE(w.Resizing);
    EXPECT_TRUE(w.SideBar.caption().empty());
    // Scrolling an empty view still keeps it inside the score.
    w.VScroll1.setValue(w.VScroll1.max());
    EXPECT_LE(w.FirstRow, 127);
    w.toolbSetup.setVisible(false);
    w.toolbRythm.setVisible(false);
    w.Form_Resize();
    EXPECT_EQ(w.RowSpan, 34);
}

class SmallestWindowTest : public ScoreViewTest {
protected:
    void SetUp() override {
        clientWidth = 718;
        clientHeight = 325;
        ScoreViewTest::SetUp();
    }
};

TEST_F(SmallestWindowTest, FitsFiftyFourColumnsAndSeventeenRowsWithoutGrowing) {
    auto& w = form();
    EXPECT_EQ(w.ColumnSpan + 1, 54);
    EXPECT_EQ(w.RowSpan + 1, 17);
    EXPECT_EQ(w.scaleWidth(), 718);
    EXPECT_EQ(w.scaleHeight(), 325);
}

TEST_F(SmallestWindowTest, ANarrowerOrLowerWindowIsGrownBack) {
    auto& w = form();
    w.setClientSize(500, 200);
    forms::doEvents();
    EXPECT_EQ(w.scaleWidth(), 718);
    EXPECT_EQ(w.scaleHeight(), 325);
    EXPECT_EQ(w.ColumnSpan + 1, 54);
    EXPECT_EQ(w.RowSpan + 1, 17);
    EXPECT_FALSE(w.Resizing);
    EXPECT_TRUE(w.Picmain.visible());

    w.setClientSize(30, 20);  // too small for one cell on the way
    forms::doEvents();
    EXPECT_EQ(w.scaleWidth(), 718);
    EXPECT_EQ(w.scaleHeight(), 325);
    EXPECT_EQ(w.ColumnSpan + 1, 54);
}

class ClampedViewTest : public ScoreViewTest {
protected:
    void SetUp() override {
        clientWidth = 740;
        clientHeight = 700;
        ScoreViewTest::SetUp();
    }
};

TEST_F(ClampedViewTest, AViewPastTheEndOfTheScoreIsMovedBack) {
    auto& w = form();
    w.toolbEdit.setHeight(26);
    w.toolbEdit.setVisible(true);
    w.ToolbRecord.setHeight(31);
    w.ToolbRecord.setVisible(true);
    w.FirstColumn = 980;
    w.FirstRow = 120;
    w.Form_Resize();
    EXPECT_EQ(w.ColumnSpan, 54);
    EXPECT_EQ(w.RowSpan, 36);
    EXPECT_EQ(w.LastVisibleColumn, 999);
    EXPECT_EQ(w.FirstColumn, 945);
    EXPECT_EQ(w.LastVisibleRow, 127);
    EXPECT_EQ(w.FirstRow, 91);
    EXPECT_EQ(w.HScroll1.value(), 972);
    EXPECT_EQ(w.HScroll1.max(), 972);
    EXPECT_EQ(w.VScroll1.value(), 109);
    EXPECT_EQ(w.VScroll1.max(), 109);
    EXPECT_EQ(w.TopBar(0).caption(), "949");  // column 948, the first beat in view
}

TEST_F(ClampedViewTest, AViewThatFitsIsNotMovedTowardTheStart) {
    auto& w = form();
    w.FirstColumn = 300;
    w.FirstRow = 40;
    w.Form_Resize();
    EXPECT_EQ(w.FirstColumn, 300);
    EXPECT_EQ(w.FirstRow, 40);
    EXPECT_EQ(w.HScroll1.value(), 300 + w.HalfColumns);
}

class WideWindowTest : public ScoreViewTest {
protected:
    void SetUp() override {
        clientWidth = 1920;
        clientHeight = 1080;
        ScoreViewTest::SetUp();
    }
};

TEST_F(WideWindowTest, ShowsAHundredAndFiftyFourColumnsWithTheirMarks) {
    auto& w = form();
    EXPECT_EQ(w.ColumnSpan, 153);
    EXPECT_EQ(w.RowSpan, (1080 - 40) / 16 - 1);
    EXPECT_EQ(w.MusicBox.width(), 154 * 12 + 1);
    EXPECT_EQ(w.HScroll1.max(), 999 - (153 - 77));
    int shown = 0;
    for (const auto& [index, label] : w.TopBar) {
        if (label->visible()) ++shown;
    }
    EXPECT_EQ(shown, 39);
}

TEST_F(WideWindowTest, ATallerWindowThanTheScoreShowsAllRowsFromRowZero) {
    auto& w = form();
    w.setClientSize(2560, 2100);
    forms::doEvents();
    EXPECT_EQ(w.scaleWidth(), 2560);
    EXPECT_EQ(w.ColumnSpan, (2560 - 70) / 12 - 1);
    EXPECT_EQ(w.RowSpan, 127);
    EXPECT_EQ(w.FirstRow, 0);
    EXPECT_EQ(w.VScroll1.min(), 64);
    EXPECT_EQ(w.VScroll1.max(), 64);

    w.setClientSize(2560, 2400);  // more room than 128 rows
    forms::doEvents();
    EXPECT_EQ(w.RowSpan, 127);
    EXPECT_EQ(w.FirstRow, 0);
    EXPECT_EQ(w.MusicBox.height(), 128 * 12 + 1);
    EXPECT_EQ(w.SideBar.caption().substr(0, 5), "10G\r\n");          // row 0 is MIDI note 127
    EXPECT_EQ(w.MusicBox.surface().pixel(18, 127 * 12 + 6), White);  // 0C, last row

    w.setClientSize(13000, 700);  // more columns than the score has
    forms::doEvents();
    EXPECT_EQ(w.ColumnSpan, 999);
    EXPECT_EQ(w.FirstColumn, 0);
    EXPECT_EQ(w.LastVisibleColumn, 999);
}

TEST_F(WideWindowTest, MinimizedWindowStopsAfterHidingTheScoreArea) {
    auto& w = form();
    const auto columns = w.ColumnSpan;
    w.setWindowState(forms::WindowState::Minimized);
    forms::doEvents();
    w.Form_Resize();
    EXPECT_TRUE(w.Resizing);
    EXPECT_FALSE(w.Picmain.visible());
    EXPECT_EQ(w.ColumnSpan, columns);
    w.setWindowState(forms::WindowState::Normal);
    forms::doEvents();
    w.Form_Resize();
    EXPECT_FALSE(w.Resizing);
    EXPECT_TRUE(w.Picmain.visible());
}

TEST_F(WideWindowTest, MaximizedWindowIsNeverResized) {
    auto& w = form();
    w.setWindowState(forms::WindowState::Maximized);
    forms::doEvents();
    const int width = w.width();
    const int height = w.height();
    w.Form_Resize();
    EXPECT_EQ(w.width(), width);
    EXPECT_EQ(w.height(), height);
    EXPECT_FALSE(w.Resizing);
    EXPECT_EQ(w.ColumnSpan, (w.scaleWidth() - 70) / 12 - 1);
}

}  // namespace
}  // namespace viewtest
