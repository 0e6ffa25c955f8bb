// The toolbar buttons that only run another command: each runs its own, the
// hidden ones stay hidden.

#include "files_fixture.h"
#include "toolbars_fixture.h"

namespace {

using namespace filestest;
using toolbarstest::click;

class ForwardingButtonsTest : public FilesTest {};

TEST_F(ForwardingButtonsTest, TheEditingToolbarsFileButtonsRunTheirCommands) {
    auto& w = form();
    w.CmdEdit_Click();
    ASSERT_TRUE(w.toolbEdit.visible());

    std::vector<std::string> titles;
    answerThroughHook([&](const HookedDialog& dialog) {
        titles.push_back(dialog.title);
        return std::string();
    });
    click(w.Command16);
    click(w.Command17);
    click(w.Command19);
    const std::vector<std::string> expected = {"Open Music File", "Save Music File as",
                                               "Save as Midi"};
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(hookedDialogs.at(0).flags, 1026);

    // Start New Score, at once and without a question.
    w.Notes[4][10] = 60;
    w.ScoreFile = file("old.sng");
    click(w.Command15);
    EXPECT_EQ(w.Notes[4][10], -1);
    EXPECT_EQ(w.ScoreFile, "");
    EXPECT_EQ(w.caption(), "Notewright");
    EXPECT_TRUE(questions.empty());
}

TEST_F(ForwardingButtonsTest, HiddenButtonsStayHiddenAndStillRunTheirCommands) {
    auto& w = form();
    for (forms::Menu* item : {&w.mnuOpenEdingtoolbar, &w.mnuOpenMiditoolbar}) {
        toolbarstest::choose(*item);
    }
    for (const forms::Control* hidden : {&w.Command12, &w.Command13, &w.Command14, &w.Command18}) {
        EXPECT_FALSE(hidden->visible()) << hidden->name();
        EXPECT_FALSE(hidden->nativeWidget()->isVisible()) << hidden->name();
    }
    answerThroughHook([](const HookedDialog&) { return std::string(); });
    w.Command18.Click();
    ASSERT_EQ(hookedDialogs.size(), 1u);
    EXPECT_EQ(hookedDialogs[0].title, "Save Music File as");
}

}  // namespace
