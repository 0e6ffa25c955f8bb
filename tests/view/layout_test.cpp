// The main window's layout on the real window, at the sizes that matter.

#include <gtest/gtest.h>

#include "platform/forms/Application.h"
#include "support/app/ScoreWindowFixture.h"

namespace {

class LayoutTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override {
        ScoreWindowTest::SetUp();
        showOnlyToolbars({});
    }
};

TEST_F(LayoutTest, WindowSizes) {
    const struct {
        int width, height;
        int editBar, recordBar;  // heights of two open toolbars, 0 when closed
        int firstColumn, firstRow;
        bool grown;  // to the smallest client area, 718 x 325
        int columnSpan, rowSpan, hMax, vMax, hValue, vValue;
        int shownFirstColumn, shownFirstRow;
    } cases[] = {
        {750, 600, 0, 0, 0, 55, false, 55, 34, 972, 110, 28, 72, 0, 55},
        {718, 325, 0, 0, 0, 55, false, 53, 16, 973, 119, 27, 63, 0, 55},
        {500, 200, 0, 0, 0, 55, true, 53, 16, 973, 119, 27, 63, 0, 55},
        {30, 20, 0, 0, 0, 55, true, 53, 16, 973, 119, 27, 63, 0, 55},
        // A view past the end of the score is moved back just far enough.
        {740, 700, 26, 31, 980, 120, false, 54, 36, 972, 109, 972, 109, 945, 91},
        {740, 700, 26, 0, 300, 40, false, 54, 38, 972, 108, 327, 59, 300, 40},
        {1920, 1080, 0, 0, 0, 55, false, 153, 64, 923, 95, 77, 87, 0, 55},
        // Views larger than the score show all of it from column and row 0.
        {2560, 2400, 0, 0, 0, 55, false, 206, 127, 896, 64, 103, 64, 0, 0},
        {13000, 700, 0, 0, 5, 55, false, 999, 40, 500, 107, 500, 75, 0, 55},
        // Toolbars taller than the window leave an empty score box.
        {750, 600, 300, 300, 0, 55, false, 55, -1, 972, 127, 28, 55, 0, 55},
    };
    auto& w = form();
    for (const auto& one : cases) {
        SCOPED_TRACE(testing::Message() << one.width << " x " << one.height);
        w.toolbEdit.setHeight(one.editBar);
        w.toolbEdit.setVisible(one.editBar > 0);
        w.ToolbRecord.setHeight(one.recordBar);
        w.ToolbRecord.setVisible(one.recordBar > 0);
        w.FirstColumn = static_cast<std::int16_t>(one.firstColumn);
        w.FirstRow = static_cast<std::int16_t>(one.firstRow);
        w.setClientSize(one.width, one.height);
        forms::doEvents();
        w.Form_Resize();
        EXPECT_EQ(w.scaleWidth(), one.grown ? 718 : one.width);
        EXPECT_EQ(w.scaleHeight(), one.grown ? 325 : one.height);
        EXPECT_EQ(w.ColumnSpan, one.columnSpan);
        EXPECT_EQ(w.RowSpan, one.rowSpan);
        EXPECT_EQ(w.HScroll1.max(), one.hMax);
        EXPECT_EQ(w.VScroll1.max(), one.vMax);
        EXPECT_EQ(w.HScroll1.value(), one.hValue);
        EXPECT_EQ(w.VScroll1.value(), one.vValue);
        EXPECT_EQ(w.FirstColumn, one.shownFirstColumn);
        EXPECT_EQ(w.FirstRow, one.shownFirstRow);
        EXPECT_EQ(w.LastVisibleColumn, one.shownFirstColumn + one.columnSpan);
        EXPECT_FALSE(w.Resizing);
        EXPECT_TRUE(w.Picmain.visible());
    }
}

TEST_F(LayoutTest, TheScoreBoxAndItsCompanionsAt750By600) {
    auto& w = form();
    w.ViewRedrawn = false;
    w.SideBar.setCaption("");
    w.TopBar(0).setCaption("");
    w.MusicBox.surface().filledBox(0, 0, 100, 100, 0x00FF00);
    w.Form_Resize();
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_EQ(w.MusicBox.surface().pixel(30, 16), testsupport::White);  // redrawn
    EXPECT_EQ(w.SideBar.caption().substr(0, 4), "6C\r\n");
    EXPECT_EQ(w.TopBar(0).caption(), "1");
    const std::pair<int, int> expected[] = {
        {w.MusicBox.width(), 673},
        {w.MusicBox.height(), 421},
        {w.Picmain.height(), 486},
        {w.Image1.height(), 486},
        {w.HalfColumns, 28},
        {w.HalfRows, 17},
        {w.HScroll1.min(), 28},
        {w.HScroll1.largeChange(), 56},
        {w.VScroll1.min(), 17},
        {w.VScroll1.largeChange(), 35},
        {w.HScroll1.width(), 673},
        {w.HScroll1.top(), 450},
        {w.VScroll1.height(), 421},
        {w.VScroll1.left(), 719},
        {w.TopBarOverlay.width(), 673},
        {w.Shape2.left() + w.Shape2.width(), 738},
        {w.SideBar.height(), 441},
        {w.SwapScreen.scaleWidth(), 673},
        {w.SwapScreen.scaleHeight(), 421},
        {w.BlueBox.scaleWidth(), 673},
        {w.BlueBox.scaleHeight(), 421},
        {w.RedBox.scaleHeight(), 421},
        {w.GreenBox.height(), 421},
        {w.Image1.left() + w.Image1.top(), 0},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(expected[i].first, expected[i].second) << "entry " << i;
    }
    EXPECT_EQ(w.Image1.width(), w.Picmain.width());
    // The tint sources stay one solid colour over their whole size.
    EXPECT_EQ(w.BlueBox.surface().pixel(672, 420), testsupport::Blue);
    EXPECT_EQ(w.RedBox.surface().pixel(11, 420), 0x0000FFu);
}

TEST_F(LayoutTest, AMinimizedWindowStopsEarlyAndAMaximizedOneIsNeverResized) {
    auto& w = form();
    w.setWindowState(forms::WindowState::Minimized);
    forms::doEvents();
    w.Form_Resize();
    EXPECT_TRUE(w.Resizing);
    EXPECT_FALSE(w.Picmain.visible());
    EXPECT_EQ(w.ColumnSpan, 55);
    w.setWindowState(forms::WindowState::Maximized);
    forms::doEvents();
    const int width = w.width(), height = w.height();
    w.Form_Resize();
    EXPECT_EQ(w.width(), width);
    EXPECT_EQ(w.height(), height);
    EXPECT_FALSE(w.Resizing);
    EXPECT_TRUE(w.Picmain.visible());
    EXPECT_EQ(w.ColumnSpan, (w.scaleWidth() - 70) / 12 - 1);
}

}  // namespace
