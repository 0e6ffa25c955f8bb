// The Above Staff and Below Staff items: where each toolbar goes, and the
// main toolbar moving between the edges.

#include "toolbars_fixture.h"

namespace {

using namespace toolbarstest;

TEST_F(ToolbarsTest, BelowStaffOfTheClosedRythmToolbarOpensItAtTheBottom) {
    auto& w = form();
    ASSERT_FALSE(w.toolbRythm.visible());
    choose(w.mnuBelowStaff5);
    EXPECT_TRUE(w.toolbRythm.visible());
    EXPECT_EQ(w.toolbRythm.align(), 2);
    EXPECT_EQ(bottomOf(w.toolbRythm), w.scaleHeight());
    EXPECT_TRUE(w.mnuBelowStaff5.checked());
    EXPECT_FALSE(w.mnuAboveStaff5.checked());
    EXPECT_EQ(w.mnuOpenRythmtoolbar.caption(), "Close");
    EXPECT_EQ(w.RowSpan, rowSpanWith(31));
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.Picmain));
    EXPECT_LE(bottomOf(w.Picmain), w.toolbRythm.top());

    // Closed and opened again, it returns to the bottom.
    click(w.CmdRythm);
    EXPECT_FALSE(w.toolbRythm.visible());
    click(w.CmdRythm);
    EXPECT_EQ(bottomOf(w.toolbRythm), w.scaleHeight());
}

TEST_F(ToolbarsTest, AboveStaffOfTheOpenEditingToolbarMovesItAboveTheScore) {
    auto& w = form();
    choose(w.mnuBelowStaff3);
    ASSERT_EQ(bottomOf(w.toolbEdit), w.scaleHeight());

    choose(w.mnuAboveStaff3);
    EXPECT_TRUE(w.toolbEdit.visible());
    EXPECT_EQ(w.mnuOpenEdingtoolbar.caption(), "Close");
    EXPECT_TRUE(w.mnuAboveStaff3.checked());
    EXPECT_FALSE(w.mnuBelowStaff3.checked());
    EXPECT_EQ(w.toolbEdit.align(), 1);
    EXPECT_TRUE(directlyAbove(w.toolbEdit, w.Picmain));
    EXPECT_EQ(w.RowSpan, rowSpanWith(26));

    // Chosen again, it stays where it is, open.
    choose(w.mnuAboveStaff3);
    EXPECT_TRUE(w.toolbEdit.visible());
    EXPECT_TRUE(directlyAbove(w.toolbEdit, w.Picmain));
}

TEST_F(ToolbarsTest, AboveStaffOfTheOpenPlayToolbarClosesItAndOpensItWhenChosenAgain) {
    auto& w = form();
    click(w.CmdMidi);
    ASSERT_TRUE(w.toolbMIDI.visible());

    choose(w.mnuAboveStaff8);
    EXPECT_FALSE(w.toolbMIDI.visible());
    EXPECT_EQ(w.mnuOpenMiditoolbar.caption(), "Open");
    EXPECT_EQ(w.RowSpan, rowSpanWith(0));

    choose(w.mnuAboveStaff8);
    EXPECT_TRUE(w.toolbMIDI.visible());
    EXPECT_EQ(w.mnuOpenMiditoolbar.caption(), "Close");
    EXPECT_TRUE(directlyAbove(w.toolbMIDI, w.Picmain));
    EXPECT_EQ(w.RowSpan, rowSpanWith(26));

    // Below Staff of the open toolbar closes it too, and then opens it below.
    choose(w.mnuBelowStaff8);
    EXPECT_FALSE(w.toolbMIDI.visible());
    choose(w.mnuBelowStaff8);
    EXPECT_TRUE(w.toolbMIDI.visible());
    EXPECT_EQ(bottomOf(w.toolbMIDI), w.scaleHeight());
}

TEST_F(ToolbarsTest, EveryPlacementItemOpensItsToolbarWhereChosen) {
    auto& w = form();
    struct Group {
        forms::Menu& above;
        forms::Menu& below;
        forms::PictureBox& panel;
    };
    const Group groups[] = {
        {w.mnuAboveStaff2, w.mnuBelowStaff2, w.toolbSetup},
        {w.mnuAboveStaff3, w.mnuBelowStaff3, w.toolbEdit},
        {w.mnuAboveStaff4, w.mnuBelowStaff4, w.ToolbCompose},
        {w.mnuAboveStaff5, w.mnuBelowStaff5, w.toolbRythm},
        {w.mnuAboveStaff6, w.mnuBelowStaff6, w.toolbPlay},
        {w.mnuAboveStaff7, w.mnuBelowStaff7, w.ToolbRecord},
        {w.mnuAboveStaff8, w.mnuBelowStaff8, w.toolbMIDI},
    };
    int openHeights = 0;
    for (const Group& group : groups) {
        SCOPED_TRACE(group.panel.name());
        choose(group.below);
        openHeights += group.panel.height();
        EXPECT_TRUE(group.panel.visible());
        // The one placed last is innermost of the bottom stack.
        EXPECT_EQ(group.panel.align(), 2);
        EXPECT_EQ(w.RowSpan, rowSpanWith(openHeights));
        EXPECT_LE(bottomOf(w.Picmain), group.panel.top());
    }
    // From the score down: Play, Recording, Instrument, Rythm, Composing, Editing, Setup.
    for (std::size_t index = 0; index + 1 < std::size(groups); ++index) {
        EXPECT_TRUE(directlyAbove(groups[index + 1].panel, groups[index].panel))
            << groups[index + 1].panel.name() << " over " << groups[index].panel.name();
    }
    EXPECT_EQ(bottomOf(w.toolbSetup), w.scaleHeight());

    // Back above, one by one: each goes next to the score, the others move up;
    // the Play toolbar, open, is closed by its item instead.
    for (const Group& group : groups) {
        choose(group.above);
        EXPECT_TRUE(group.above.checked());
        EXPECT_FALSE(group.below.checked());
        if (&group.panel == &w.toolbMIDI) {
            EXPECT_FALSE(w.toolbMIDI.visible());
        } else {
            EXPECT_TRUE(directlyAbove(group.panel, w.Picmain)) << group.panel.name();
        }
    }
    EXPECT_EQ(w.RowSpan, rowSpanWith(openHeights - 26));
}

TEST_F(ToolbarsTest, MainToolbarMovesBelowTheStaffAndBackAbove) {
    auto& w = form();
    click(w.Cmdsetup);

    choose(w.mnuBelowStaff1);
    EXPECT_TRUE(w.mnuBelowStaff1.checked());
    EXPECT_FALSE(w.mnuAboveStaff1.checked());
    EXPECT_EQ(w.toolbMenu.align(), 2);
    EXPECT_TRUE(w.toolbMenu.visible());
    EXPECT_EQ(bottomOf(w.toolbMenu), w.scaleHeight());
    EXPECT_EQ(w.toolbSetup.top(), 0);
    EXPECT_TRUE(directlyAbove(w.toolbSetup, w.Picmain));
    // The main toolbar is not counted by the layout wherever it is.
    EXPECT_EQ(w.RowSpan, rowSpanWith(26));
    EXPECT_LE(bottomOf(w.Picmain), w.toolbMenu.top());

    // Toolbars placed below go between the score and the main toolbar.
    choose(w.mnuBelowStaff4);
    EXPECT_TRUE(directlyAbove(w.ToolbCompose, w.toolbMenu));

    choose(w.mnuAboveStaff1);
    EXPECT_TRUE(w.mnuAboveStaff1.checked());
    EXPECT_FALSE(w.mnuBelowStaff1.checked());
    EXPECT_EQ(w.toolbMenu.align(), 1);
    // Directly above the score area, so below the Setup toolbar.
    EXPECT_EQ(w.toolbSetup.top(), 0);
    EXPECT_TRUE(directlyAbove(w.toolbSetup, w.toolbMenu));
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.Picmain));
    EXPECT_EQ(bottomOf(w.ToolbCompose), w.scaleHeight());
    EXPECT_EQ(w.RowSpan, rowSpanWith(26 + 31));
}

// The Setup menu's separator shows as a line, without the "-" it is made from.
TEST_F(ToolbarsTest, TheSetupMenusSeparatorIsALineOnly) {
    auto& w = form();
    EXPECT_TRUE(w.mnuSpace1.action()->isSeparator());
    EXPECT_TRUE(w.mnuSpace1.action()->text().isEmpty());
    EXPECT_EQ(w.mnuSpace1.caption(), "-");
}

}  // namespace
