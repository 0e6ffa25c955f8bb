// Opening and closing the optional toolbars: the main toolbar's buttons, the
// Open items, the close boxes, and the layout that follows each.

#include <array>

#include "toolbars_fixture.h"

namespace {

using namespace toolbarstest;

TEST_F(ToolbarsTest, SetupButtonTwiceOpensAboveTheScoreAndClosesAgain) {
    auto& w = form();
    ASSERT_EQ(w.RowSpan, rowSpanWith(0));
    const int firstRow = w.FirstRow;

    click(w.Cmdsetup);
    EXPECT_TRUE(w.toolbSetup.visible());
    EXPECT_EQ(w.mnuOpenSetuptoolb.caption(), "Close");
    EXPECT_EQ(w.toolbSetup.align(), 1);
    EXPECT_EQ(w.toolbMenu.top(), 0);
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.toolbSetup));
    EXPECT_TRUE(directlyAbove(w.toolbSetup, w.Picmain));
    EXPECT_EQ(w.RowSpan, rowSpanWith(26));
    EXPECT_EQ(w.MusicBox.height(), (rowSpanWith(26) + 1) * 12 + 1);
    EXPECT_EQ(w.FirstRow, firstRow);

    click(w.Cmdsetup);
    EXPECT_FALSE(w.toolbSetup.visible());
    EXPECT_EQ(w.mnuOpenSetuptoolb.caption(), "Open");
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.Picmain));
    EXPECT_EQ(w.RowSpan, rowSpanWith(0));
    EXPECT_EQ(w.FirstRow, firstRow);
}

// Each toggle works its own panel, read through its Open item, and the close
// box on that panel closes it again, however the design named the box.
TEST_F(ToolbarsTest, EachButtonOpensItsToolbarAndItsCloseBoxClosesIt) {
    auto& w = form();
    struct Toolbar {
        forms::CommandButton& button;
        forms::PictureBox& panel;
        forms::Menu& openItem;
        forms::CheckBox& closeBox;
        int height;
    };
    const std::array<Toolbar, 7> toolbars = {{
        {w.Cmdsetup, w.toolbSetup, w.mnuOpenSetuptoolb, w.ChkPlay, 26},
        {w.CmdEdit, w.toolbEdit, w.mnuOpenEdingtoolbar, w.ChkEdit, 26},
        {w.CmdCompose, w.ToolbCompose, w.mnuOpenComposetoolbar, w.ChkCompose, 31},
        {w.CmdRythm, w.toolbRythm, w.mnuOpenRythmtoolbar, w.ChkRythm, 31},
        {w.CmdPlay, w.toolbPlay, w.mnuOpenPlaytoolbar, w.ChkSetup, 26},
        {w.Command21, w.ToolbRecord, w.mnuOpenRectoolbar, w.ChcRecord, 26},
        {w.CmdMidi, w.toolbMIDI, w.mnuOpenMiditoolbar, w.ChkMidi, 26},
    }};
    for (const Toolbar& toolbar : toolbars) {
        SCOPED_TRACE(toolbar.panel.name());
        click(toolbar.button);
        EXPECT_TRUE(toolbar.panel.visible());
        EXPECT_EQ(toolbar.panel.height(), toolbar.height);
        EXPECT_EQ(toolbar.openItem.caption(), "Close");
        EXPECT_TRUE(directlyAbove(toolbar.panel, w.Picmain));
        EXPECT_EQ(w.RowSpan, rowSpanWith(toolbar.height));
        for (const Toolbar& other : toolbars) {
            if (&other != &toolbar) {
                EXPECT_FALSE(other.panel.visible()) << other.panel.name();
            }
        }

        click(toolbar.closeBox);
        EXPECT_FALSE(toolbar.panel.visible());
        EXPECT_EQ(toolbar.openItem.caption(), "Open");
        EXPECT_EQ(w.RowSpan, rowSpanWith(0));
        // The box is pressed, not ticked: it looks the same when the toolbar opens again.
        EXPECT_EQ(toolbar.closeBox.value(), 0);
    }
}

TEST_F(ToolbarsTest, RecordingCloseBoxLaysTheWindowOutAtOnce) {
    auto& w = form();
    w.Command21_Click();
    ASSERT_TRUE(w.ToolbRecord.visible());
    ASSERT_EQ(w.RowSpan, rowSpanWith(26));
    w.ViewRedrawn = false;

    sendMouse(w.ChcRecord, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(w.ToolbRecord.visible());
    EXPECT_EQ(w.mnuOpenRectoolbar.caption(), "Open");
    EXPECT_EQ(w.RowSpan, rowSpanWith(0));
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.Picmain));
    sendMouse(w.ChcRecord, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

TEST_F(ToolbarsTest, OpenItemsAndTheInstrumentItemRunTheToggles) {
    auto& w = form();
    choose(w.mnuOpenComposetoolbar);
    EXPECT_TRUE(w.ToolbCompose.visible());
    EXPECT_EQ(w.mnuOpenComposetoolbar.caption(), "Close");
    EXPECT_EQ(w.RowSpan, rowSpanWith(31));

    choose(w.mnuInstrument);
    EXPECT_TRUE(w.toolbPlay.visible());
    EXPECT_EQ(w.mnuOpenPlaytoolbar.caption(), "Close");
    EXPECT_EQ(w.RowSpan, rowSpanWith(31 + 26));

    choose(w.mnuOpenPlaytoolbar);
    EXPECT_FALSE(w.toolbPlay.visible());
    choose(w.mnuOpenComposetoolbar);
    EXPECT_FALSE(w.ToolbCompose.visible());
    EXPECT_EQ(w.mnuOpenComposetoolbar.caption(), "Open");

    for (forms::Menu* item : {&w.mnuOpenSetuptoolb, &w.mnuOpenEdingtoolbar, &w.mnuOpenRythmtoolbar,
                              &w.mnuOpenRectoolbar, &w.mnuOpenMiditoolbar}) {
        choose(*item);
        EXPECT_EQ(item->caption(), "Close") << item->name();
    }
    EXPECT_TRUE(w.toolbSetup.visible());
    EXPECT_TRUE(w.toolbEdit.visible());
    EXPECT_TRUE(w.toolbRythm.visible());
    EXPECT_TRUE(w.ToolbRecord.visible());
    EXPECT_TRUE(w.toolbMIDI.visible());
    EXPECT_EQ(w.RowSpan, rowSpanWith(26 + 26 + 31 + 26 + 26));
}

// The toggles go by their item's exact caption; the Play toolbar goes by its
// panel instead.
TEST_F(ToolbarsTest, ACaptionOtherThanOpenOrCloseLeavesTheToolbarAlone) {
    auto& w = form();
    w.mnuOpenRythmtoolbar.setCaption("open");
    w.CmdRythm_Click();
    EXPECT_FALSE(w.toolbRythm.visible());
    EXPECT_EQ(w.mnuOpenRythmtoolbar.caption(), "open");

    w.mnuOpenMiditoolbar.setCaption("Close");
    w.CmdMidi_Click();
    EXPECT_TRUE(w.toolbMIDI.visible());
    EXPECT_EQ(w.mnuOpenMiditoolbar.caption(), "Close");
    w.CmdMidi_Click();
    EXPECT_FALSE(w.toolbMIDI.visible());
    EXPECT_EQ(w.mnuOpenMiditoolbar.caption(), "Open");
}

// Releasing a toolbar button lays the window out, whether or not it clicked.
TEST_F(ToolbarsTest, ReleasingAToolbarButtonLaysTheWindowOut) {
    auto& w = form();
    for (forms::CommandButton* button : {&w.Cmdsetup, &w.CmdEdit, &w.CmdCompose, &w.CmdRythm,
                                         &w.CmdMidi, &w.Command21, &w.CmdPlay}) {
        SCOPED_TRACE(button->name());
        // A panel shown behind the layout's back takes no rows until a layout runs.
        w.toolbEdit.setVisible(true);
        ASSERT_EQ(w.RowSpan, rowSpanWith(0));
        rightClick(*button);
        EXPECT_EQ(w.RowSpan, rowSpanWith(26));
        w.toolbEdit.setVisible(false);
        w.Form_Resize();
    }
    EXPECT_EQ(w.mnuOpenEdingtoolbar.caption(), "Open");
    EXPECT_FALSE(w.toolbSetup.visible());
}

TEST_F(ToolbarsTest, TwoToolbarsOpenedAboveTheLastSitsNearestTheScore) {
    auto& w = form();
    click(w.Cmdsetup);
    click(w.CmdEdit);
    EXPECT_EQ(w.toolbMenu.top(), 0);
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.toolbSetup));
    EXPECT_TRUE(directlyAbove(w.toolbSetup, w.toolbEdit));
    EXPECT_TRUE(directlyAbove(w.toolbEdit, w.Picmain));
    EXPECT_EQ(w.RowSpan, rowSpanWith(52));

    // Closing and opening the first again moves it next to the score.
    click(w.Cmdsetup);
    click(w.Cmdsetup);
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.toolbEdit));
    EXPECT_TRUE(directlyAbove(w.toolbEdit, w.toolbSetup));
    EXPECT_TRUE(directlyAbove(w.toolbSetup, w.Picmain));
}

}  // namespace
