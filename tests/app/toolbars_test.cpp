// The toolbars: opening and closing each by its button, its close box and its
// Open item, placing it above or below the score, the main toolbar moving
// between the edges, and all eight open at once lying tidily at the designed
// and the smallest window size. Help.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <filesystem>
#include <set>

#include "platform/help/detail/HelpWindow.h"
#include "platform/system/System.h"
#include "support/MouseInput.h"
#include "support/TempFolder.h"
#include "support/app/MainWindowFixture.h"

namespace {

using namespace testsupport;
namespace fs = std::filesystem;

int bottomOf(const forms::Control& control) {
    return control.top() + control.height();
}
bool directlyAbove(const forms::Control& upper, const forms::Control& lower) {
    return bottomOf(upper) == lower.top();
}
void choose(forms::Menu& item) {
    item.action()->trigger();
}

class ToolbarsTest : public MainWindowTest {
protected:
    // The score rows the layout leaves with optional toolbars this high open.
    int rowSpanWith(int openHeights) const { return (clientHeight - 40 - openHeights) / 16 - 1; }
};

// Every toolbar by each of its controls; its close box lays the window out as
// it is pressed, and stays unticked.
TEST_F(ToolbarsTest, EachToolbarOpensClosesAndMovesByItsOwnControls) {
    auto& w = form();
    struct Toolbar {
        forms::CommandButton& button;
        forms::PictureBox& panel;
        forms::Menu& openItem;
        forms::CheckBox& closeBox;
        forms::Menu& above;
        forms::Menu& below;
        int height;
    };
    const Toolbar toolbars[] = {
        {w.Cmdsetup, w.toolbSetup, w.mnuOpenSetuptoolb, w.ChkPlay, w.mnuAboveStaff2,
         w.mnuBelowStaff2, 26},
        {w.CmdEdit, w.toolbEdit, w.mnuOpenEdingtoolbar, w.ChkEdit, w.mnuAboveStaff3,
         w.mnuBelowStaff3, 26},
        {w.CmdCompose, w.ToolbCompose, w.mnuOpenComposetoolbar, w.ChkCompose, w.mnuAboveStaff4,
         w.mnuBelowStaff4, 31},
        {w.CmdRythm, w.toolbRythm, w.mnuOpenRythmtoolbar, w.ChkRythm, w.mnuAboveStaff5,
         w.mnuBelowStaff5, 31},
        {w.CmdPlay, w.toolbPlay, w.mnuOpenPlaytoolbar, w.ChkSetup, w.mnuAboveStaff6,
         w.mnuBelowStaff6, 26},
        {w.Command21, w.ToolbRecord, w.mnuOpenRectoolbar, w.ChcRecord, w.mnuAboveStaff7,
         w.mnuBelowStaff7, 26},
        {w.CmdMidi, w.toolbMIDI, w.mnuOpenMiditoolbar, w.ChkMidi, w.mnuAboveStaff8,
         w.mnuBelowStaff8, 26},
    };
    auto expectOpen = [&](const Toolbar& toolbar, bool open) {
        EXPECT_EQ(toolbar.panel.visible(), open);
        EXPECT_EQ(toolbar.openItem.caption(), open ? "Close" : "Open");
        EXPECT_EQ(w.RowSpan, rowSpanWith(open ? toolbar.height : 0));
    };
    for (const Toolbar& toolbar : toolbars) {
        SCOPED_TRACE(toolbar.panel.name());
        clickOn(toolbar.button.nativeWidget());
        expectOpen(toolbar, true);
        EXPECT_EQ(toolbar.panel.height(), toolbar.height);
        EXPECT_TRUE(directlyAbove(toolbar.panel, w.Picmain));
        for (const Toolbar& other : toolbars) {
            if (&other != &toolbar) {
                EXPECT_FALSE(other.panel.visible()) << other.panel.name();
            }
        }
        QWidget* box = toolbar.closeBox.nativeWidget();
        pressOn(box, box->rect().center());
        expectOpen(toolbar, false);
        releaseOn(box, box->rect().center());
        EXPECT_EQ(toolbar.closeBox.value(), 0);

        for (bool open : {true, false}) {
            choose(toolbar.openItem);
            expectOpen(toolbar, open);
        }

        // Below Staff opens a closed toolbar at the bottom; Above Staff brings
        // it back next to the score, except the Play toolbar, which it closes.
        choose(toolbar.below);
        expectOpen(toolbar, true);
        EXPECT_EQ(bottomOf(toolbar.panel), w.scaleHeight());
        EXPECT_TRUE(toolbar.below.checked() && !toolbar.above.checked());
        choose(toolbar.above);
        EXPECT_TRUE(toolbar.above.checked() && !toolbar.below.checked());
        if (&toolbar.panel == &w.toolbMIDI) {
            expectOpen(toolbar, false);
            choose(toolbar.above);
        }
        expectOpen(toolbar, true);
        EXPECT_TRUE(directlyAbove(toolbar.panel, w.Picmain));
        clickOn(toolbar.button.nativeWidget());
        expectOpen(toolbar, false);

        // Releasing the button lays the window out, whether or not it clicked:
        // a panel shown behind the layout's back takes its rows then.
        w.toolbEdit.setVisible(true);
        clickOn(toolbar.button.nativeWidget(), Qt::RightButton);
        EXPECT_EQ(w.RowSpan, rowSpanWith(26));
        w.toolbEdit.setVisible(false);
        w.Form_Resize();
    }
    choose(w.mnuInstrument);
    expectOpen(toolbars[4], true);
}

// The last opened above sits nearest the score; the main toolbar moves to
// the bottom edge, with toolbars placed below between it and the score.
TEST_F(ToolbarsTest, TheLastOpenedSitsNearestTheScoreAndTheMainToolbarMovesBetweenEdges) {
    auto& w = form();
    for (auto* button : {&w.Cmdsetup, &w.CmdEdit, &w.Cmdsetup, &w.Cmdsetup})
        clickOn(button->nativeWidget());
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.toolbEdit));
    EXPECT_TRUE(directlyAbove(w.toolbEdit, w.toolbSetup));
    EXPECT_TRUE(directlyAbove(w.toolbSetup, w.Picmain));
    choose(w.mnuBelowStaff1);
    EXPECT_TRUE(w.mnuBelowStaff1.checked() && !w.mnuAboveStaff1.checked());
    EXPECT_EQ(bottomOf(w.toolbMenu), w.scaleHeight());
    EXPECT_EQ(w.toolbEdit.top(), 0);
    EXPECT_EQ(w.RowSpan, rowSpanWith(52));  // the main toolbar is never counted
    choose(w.mnuBelowStaff4);
    EXPECT_TRUE(directlyAbove(w.ToolbCompose, w.toolbMenu));
    choose(w.mnuAboveStaff1);
    EXPECT_TRUE(w.mnuAboveStaff1.checked() && !w.mnuBelowStaff1.checked());
    EXPECT_TRUE(directlyAbove(w.toolbSetup, w.toolbMenu));
    EXPECT_TRUE(directlyAbove(w.toolbMenu, w.Picmain));
    EXPECT_EQ(bottomOf(w.ToolbCompose), w.scaleHeight());
}

// The rows at client sizes and toolbar sets: the rule's rows, unless a toolbar
// docked below would then cover the score box's scroll bar. Each set reads one
// letter per Toolbars menu group, main toolbar first and Play toolbar last:
// 'a' above the staff, 'b' below it, '.' closed.
TEST_F(ToolbarsTest, TheRowsAreTheRulesUnlessAToolbarBelowWouldCoverTheScrollBar) {
    auto& w = form();
    forms::Menu* const above[] = {&w.mnuAboveStaff1, &w.mnuAboveStaff2, &w.mnuAboveStaff3,
                                  &w.mnuAboveStaff4, &w.mnuAboveStaff5, &w.mnuAboveStaff6,
                                  &w.mnuAboveStaff7, &w.mnuAboveStaff8};
    forms::Menu* const below[] = {&w.mnuBelowStaff1, &w.mnuBelowStaff2, &w.mnuBelowStaff3,
                                  &w.mnuBelowStaff4, &w.mnuBelowStaff5, &w.mnuBelowStaff6,
                                  &w.mnuBelowStaff7, &w.mnuBelowStaff8};
    forms::Menu* const openItems[] = {&w.mnuOpenSetuptoolb,     &w.mnuOpenEdingtoolbar,
                                      &w.mnuOpenComposetoolbar, &w.mnuOpenRythmtoolbar,
                                      &w.mnuOpenPlaytoolbar,    &w.mnuOpenRectoolbar,
                                      &w.mnuOpenMiditoolbar};
    const struct {
        int width, height;
        const char* toolbars;
        int rowSpan;
    } cases[] = {
        // Nothing below: the rule's rows, however little room the top leaves.
        {718, 326, "a.aaaaaa", 6},
        {718, 400, "aaaaaaaa", 9},
        // Below as well: the rule's rows wherever the scroll bar then ends
        // above the bottom toolbars (here 11, 3 and 0 pixels above) ...
        {750, 381, "aaaabbbb", 8},
        {718, 325, "aaaabbbb", 4},
        {718, 334, "aaaaaaab", 5},
        {750, 600, "a...b...", 32},
        // ... and one fewer where the rule's last row would take it under them,
        // the main toolbar's place counting as any other's.
        {718, 333, "aaaaaaab", 4},
        {718, 333, "baaaaaaa", 4},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(testing::Message() << one.width << " x " << one.height << " " << one.toolbars);
        for (int group = 0; group < 8; ++group) {
            if (one.toolbars[group] != '.') {
                choose(*(one.toolbars[group] == 'a' ? above : below)[group]);
            }
        }
        w.setClientSize(one.width, one.height);
        ASSERT_EQ(w.scaleHeight(), one.height);
        EXPECT_EQ(w.RowSpan, one.rowSpan);
        for (forms::Menu* open : openItems) {
            if (open->caption() == "Close") choose(*open);
        }
        choose(w.mnuAboveStaff1);
    }
}

// The toggles go by their item's exact caption; the Play toolbar by its panel.
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
}

// The captions and tool tips the user reads, and the record timer's beat.
TEST_F(ToolbarsTest, ControlsCarryTheirCaptionsAndToolTips) {
    auto& w = form();
    const std::pair<const forms::Control*, std::string> tips[] = {
        {&w.TrackHide(0), "Hide this channel"}, {&w.TrackSel(7), "Channel 8"},
        {&w.PlayAndStop(0), "Play score"},      {&w.PlayAndStop(1), "Stop"},
        {&w.PasteBut, "Paste (Overwrite)"},     {&w.PasteIntoBut, "Paste (Insert)"}};
    for (const auto& [control, tip] : tips) EXPECT_EQ(control->toolTipText(), tip);
    const std::pair<const forms::Menu*, std::string> items[] = {{&w.mnuNewScore, "New Score"},
                                                                {&w.mnuOpen, "Open"},
                                                                {&w.mnuSave, "Save"},
                                                                {&w.mnuSaveAs, "Save As"},
                                                                {&w.mnuSaveAsMid, "Save as Mid"}};
    for (const auto& [item, caption] : items) EXPECT_EQ(item->caption(), caption);
    EXPECT_EQ(w.TrackSel(7).caption(), "8");
    EXPECT_EQ(w.tmrRecord.interval(), 50);
    // The recorder's state label is centred: its text leaves equal margins.
    clickOn(w.Command21.nativeWidget());
    const QImage label = w.Label4.nativeWidget()->grab().toImage();
    int left = label.width(), right = 0;
    for (int y = 0; y < label.height(); ++y) {
        for (int x = 0; x < label.width(); ++x) {
            if ((label.pixel(x, y) & 0xFFFFFF) != 0xE0E0E0)
                left = std::min(left, x), right = std::max(right, x);
        }
    }
    ASSERT_LT(left, right) << "the label shows no text";
    EXPECT_NEAR(left, label.width() - 1 - right, 2);
}

// Distinct colours in the face of a control, its border left out.
int faceColours(QWidget* widget) {
    const QImage face = widget->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 4; y < face.height() - 4; ++y) {
        for (int x = 4; x < face.width() - 4; ++x) colours.insert(face.pixel(x, y));
    }
    return static_cast<int>(colours.size());
}

// The window's client size.
struct WindowSize {
    int width, height;
};

class AllToolbarsTest : public ToolbarsTest, public ::testing::WithParamInterface<WindowSize> {
protected:
    void SetUp() override {
        clientWidth = GetParam().width;
        clientHeight = GetParam().height;
        ToolbarsTest::SetUp();
    }
};

// Four above the score, four below, edge to edge; in every toolbar and frame
// the shown controls lie inside it, apart and uncovered; every button carries
// a tool tip and the pictured ones a picture. A picture of the window is saved
// in the build folder for a person to look at.
TEST_P(AllToolbarsTest, EightToolbarsLieTidily) {
    auto& w = form();
    for (auto* above : {&w.Cmdsetup, &w.CmdEdit, &w.CmdCompose}) clickOn(above->nativeWidget());
    for (auto* below : {&w.mnuBelowStaff5, &w.mnuBelowStaff6, &w.mnuBelowStaff7, &w.mnuBelowStaff8})
        choose(*below);
    EXPECT_EQ(w.scaleHeight(), clientHeight);
    const forms::Control* column[] = {&w.toolbMenu,    &w.toolbSetup, &w.toolbEdit,
                                      &w.ToolbCompose, &w.Picmain,    &w.toolbMIDI,
                                      &w.ToolbRecord,  &w.toolbPlay,  &w.toolbRythm};
    EXPECT_EQ(w.toolbMenu.top(), 0);
    for (int i = 0; i < 8; ++i) {
        // The score area's empty margin may lie under the bottom toolbars.
        if (i != 4) {
            EXPECT_TRUE(directlyAbove(*column[i], *column[i + 1])) << column[i]->name();
        }
    }
    EXPECT_EQ(bottomOf(w.toolbRythm), w.scaleHeight());
    QWidget* client = w.Picmain.nativeWidget()->parentWidget();

    const forms::Container* containers[] = {
        &w.toolbMenu,      &w.toolbSetup,  &w.toolbEdit, &w.ToolbCompose,   &w.toolbRythm,
        &w.toolbPlay,      &w.ToolbRecord, &w.toolbMIDI, &w.FunctionsFrame, &w.EditTrackFrame,
        &w.MuteTrackFrame, &w.Picture6,    &w.Picture4,  &w.TransposeFrame};
    for (const forms::Container* container : containers) {
        QWidget* host = container->childHost();
        std::vector<QWidget*> shown;
        for (QWidget* child : host->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            // The picture stamp's controls lie below the main toolbar, unseen.
            const bool stamp =
                QStringList{"Command1", "Text1", "Text2", "Picture1"}.contains(child->objectName());
            if (child->isVisible() && !stamp) shown.push_back(child);
        }
        EXPECT_FALSE(shown.empty());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const QRect rect = shown[i]->geometry();
            SCOPED_TRACE(host->objectName().toStdString() + " / " +
                         shown[i]->objectName().toStdString());
            EXPECT_TRUE(host->rect().contains(rect)) << "sticks out";
            QWidget* atMiddle = host->childAt(rect.center());
            EXPECT_TRUE(atMiddle == shown[i] || shown[i]->isAncestorOf(atMiddle)) << "covered";
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_FALSE(rect.intersects(shown[j]->geometry()))
                    << "overlaps " << shown[j]->objectName().toStdString();
            }
            if (qobject_cast<QAbstractButton*>(shown[i])) {
                EXPECT_FALSE(shown[i]->toolTip().isEmpty());
            }
            if (qobject_cast<QPushButton*>(shown[i])) {
                EXPECT_GE(faceColours(shown[i]), 4);
            }
        }
    }
    // Growing from here, the score box and its scroll bar never reach under
    // the bottom toolbars: the scroll bar's lowest row takes a click.
    for (int height = clientHeight; height <= clientHeight + 95; ++height) {
        w.setClientSize(clientWidth, height);
        const QRect bar(w.HScroll1.nativeWidget()->mapTo(client, QPoint(0, 0)),
                        w.HScroll1.nativeWidget()->size());
        EXPECT_LT(bar.bottom(), w.toolbMIDI.top()) << height;
        EXPECT_EQ(client->childAt(bar.center().x(), bar.bottom()), w.HScroll1.nativeWidget());
    }
    const std::string picture = std::string(SORVANE_BINARY_DIR) + "/toolbars-all-open-" +
                                std::to_string(clientWidth) + ".png";
    w.setClientSize(clientWidth, clientHeight);
    EXPECT_TRUE(w.nativeWindow()->grab().save(QString::fromStdString(picture)));
}

INSTANTIATE_TEST_SUITE_P(DesignedAndSmallest, AllToolbarsTest,
                         ::testing::Values(WindowSize{1040, 640}, WindowSize{718, 325}));

// Help shows the compiled help file from the program folder in the program's
// help window, and nothing at all when there is none or it cannot be shown.
TEST_F(ToolbarsTest, HelpShowsTheHelpFileFromTheProgramFolderOrNothing) {
    auto& w = form();
    TempFolder folder;
    w.AppFolder = folder.path() + "/";
    auto shownHelp = []() -> help::HelpWindow* {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = dynamic_cast<help::HelpWindow*>(widget);
            if (window && window->isVisible()) return window;
        }
        return nullptr;
    };
    clickOn(w.Cmdhelp.nativeWidget());
    EXPECT_EQ(w.HelpFile, folder.file("lindavor.chm"));
    // Help makes the program folder the current one, as the program keeps it.
    EXPECT_EQ(fs::current_path(), fs::path(sys::appPath()));
    folder.write("lindavor.chm", "not a compiled help file");
    w.mnuHelpFile.action()->trigger();
    EXPECT_EQ(shownHelp(), nullptr);
    EXPECT_TRUE(messageBoxes().empty());

    // The build places the current help file beside the program.
    const fs::path placed = fs::path(SORVANE_BINARY_DIR) / "bin/lindavor.chm";
    EXPECT_EQ(fs::file_size(placed),
              fs::file_size(fs::path(SORVANE_SOURCE_DIR) / "src/resources/help/lindavor.chm"));
    fs::copy_file(placed, folder.file("lindavor.chm"), fs::copy_options::overwrite_existing);
    clickOn(w.Cmdhelp.nativeWidget());
    help::HelpWindow* window = shownHelp();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), w.nativeWindow());
    EXPECT_EQ(window->windowTitle(), "Midi Sorvane Help");
    EXPECT_EQ(window->filePath().toStdString(), w.HelpFile);
    window->browser()->setSource(QUrl("chm:/menus.html"));
    w.mnuHelpFile.action()->trigger();
    EXPECT_EQ(shownHelp(), window);
    EXPECT_EQ(window->browser()->source(), QUrl("chm:/index.html"));
}

}  // namespace
