// The form: client area, outer size, Resize, closing, and the docking stacks
// of toolbar panels.

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms_testing.h"
#include "platform/forms/Menu.h"
#include "platform/forms/PictureBox.h"

namespace {

using formstest::FormsTest;

QRect geometryOf(const forms::PictureBox& box) {
    return {box.left(), box.top(), box.width(), box.height()};
}

TEST_F(FormsTest, ResizeReportsTheNewClientArea) {
    std::vector<QSize> seen;
    form->Resize = [&] { seen.emplace_back(form->scaleWidth(), form->scaleHeight()); };
    form->setClientSize(750, 600);
    form->setClientSize(750, 600);
    ASSERT_EQ(seen, (std::vector<QSize>{{750, 600}}));

    // The outer size includes whatever frame the window has.
    const int frameWidth = form->width() - form->scaleWidth();
    const int frameHeight = form->height() - form->scaleHeight();
    EXPECT_GE(frameWidth, 0);
    EXPECT_GE(frameHeight, 0);
    form->setWidth(718);
    EXPECT_EQ(form->width(), 718);
    EXPECT_EQ(form->scaleWidth(), 718 - frameWidth);
    form->setHeight(325);
    EXPECT_EQ(form->height(), 325);
    EXPECT_EQ(form->scaleHeight(), 325 - frameHeight);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2], QSize(form->scaleWidth(), form->scaleHeight()));
}

TEST_F(FormsTest, ResizeMayResizeAgainFromInside) {
    // The layout enlarges a window that is too small; that raises Resize again.
    int calls = 0;
    form->Resize = [&] {
        ++calls;
        if (form->scaleWidth() < 718) form->setWidth(718 + form->width() - form->scaleWidth());
    };
    form->setClientSize(500, 400);
    EXPECT_EQ(form->scaleWidth(), 718);
    EXPECT_EQ(calls, 2);
}

TEST(FormsCentring, TheFrameIsCentredOnceTheWindowSystemHasFramedIt) {
    testsupport::ensureQtApp();
    forms::Form splash("openerF");
    splash.setClientSize(442, 334);
    splash.centreOnScreen();
    splash.show();
    forms::doEvents();
    const QWidget* window = splash.nativeWindow();
    // Known only now: before the show the window had no frame.
    ASSERT_NE(window->frameGeometry().size(), window->size());
    const QRect screen = window->screen()->geometry();
    const QRect frame = window->frameGeometry();
    EXPECT_LE(std::abs(frame.left() - screen.left() - (screen.right() - frame.right())), 1);
    EXPECT_LE(std::abs(frame.top() - screen.top() - (screen.bottom() - frame.bottom())), 1);
}

TEST(FormsFirstShow, ResizeIsRaisedWhenFirstShownNotBefore) {
    testsupport::ensureQtApp();
    forms::Form window("Form1");
    int calls = 0;
    QSize atFirstShow;
    window.Resize = [&] {
        if (++calls == 1) atFirstShow = QSize(window.scaleWidth(), window.scaleHeight());
    };
    window.setClientSize(640, 480);
    EXPECT_EQ(window.scaleWidth(), 640);
    EXPECT_EQ(window.scaleHeight(), 480);
    EXPECT_EQ(calls, 0);
    window.show();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(atFirstShow, QSize(640, 480));
    EXPECT_TRUE(window.isShown());
    window.hide();
    window.show();
    EXPECT_EQ(calls, 1);
}

TEST_F(FormsTest, MenuBarLiesAboveTheClientArea) {
    const int outerHeight = form->nativeWindow()->height();
    // A form whose only menu is a hidden popup menu has no bar.
    forms::Menu popup(*form, "mnupopup", "popup");
    popup.setVisible(false);
    QMenuBar* bar = static_cast<QMainWindow*>(form->nativeWindow())->menuBar();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(form->scaleHeight(), outerHeight);

    forms::Menu setup(*form, "mnuSetup", "Setup");
    forms::Menu exit(setup, "mnuExit", "Exit");
    ASSERT_TRUE(bar->isVisible());
    EXPECT_GT(bar->height(), 0);
    EXPECT_GE(form->childHost()->y(), bar->height());
    EXPECT_EQ(form->scaleHeight(), outerHeight - bar->height());
    form->setClientSize(400, 300);
    EXPECT_EQ(form->scaleHeight(), 300);
}

TEST_F(FormsTest, MinimizeAndRestoreRaiseResize) {
    std::vector<forms::WindowState> seen;
    form->Resize = [&] { seen.push_back(form->windowState()); };
    form->setWindowState(forms::WindowState::Minimized);
    EXPECT_EQ(form->windowState(), forms::WindowState::Minimized);
    form->setWindowState(forms::WindowState::Normal);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), forms::WindowState::Minimized);
    EXPECT_EQ(seen.back(), forms::WindowState::Normal);
}

TEST_F(FormsTest, CloseAsksUnloadWhichMayCancel) {
    int asked = 0;
    int answer = 1;
    form->Unload = [&](int& cancel) {
        ++asked;
        cancel = answer;
    };
    EXPECT_FALSE(form->nativeWindow()->close());
    EXPECT_TRUE(form->isShown());
    answer = 0;
    EXPECT_TRUE(form->nativeWindow()->close());
    EXPECT_FALSE(form->isShown());
    EXPECT_EQ(asked, 2);

    form->show();
    form->unload();  // closing from code asks nobody
    EXPECT_FALSE(form->isShown());
    EXPECT_EQ(asked, 2);
}

TEST_F(FormsTest, CaptionAndPosition) {
    form->setCaption("Sorvane Harmonics: /tmp/a.sng");
    EXPECT_EQ(form->caption(), "Sorvane Harmonics: /tmp/a.sng");
    EXPECT_EQ(form->nativeWindow()->windowTitle(), "Sorvane Harmonics: /tmp/a.sng");
    form->move(0, 0);
    EXPECT_EQ(form->left(), 0);
    EXPECT_EQ(form->top(), 0);
}

// The main window's panels, docked to the top in their design order.
struct Panels {
    explicit Panels(forms::Form& form) {
        const std::vector<std::pair<std::string, int>> design = {
            {"toolbMenu", 27}, {"toolbRythm", 31}, {"ToolbCompose", 31},
            {"toolbPlay", 26}, {"toolbSetup", 26}, {"Picmain", 120}};
        for (const auto& [name, height] : design) {
            boxes.push_back(std::make_unique<forms::PictureBox>(form, name));
            boxes.back()->setHeight(height);
            boxes.back()->setAlign(1);
        }
    }
    forms::PictureBox& operator[](const std::string& name) {
        for (auto& box : boxes) {
            if (box->name() == name) return *box;
        }
        throw std::out_of_range(name);
    }
    std::vector<std::unique_ptr<forms::PictureBox>> boxes;
};

TEST_F(FormsTest, TopStackPlacesPanelsInDockingOrder) {
    Panels panels(*form);
    for (const char* name : {"toolbRythm", "ToolbCompose", "toolbPlay", "toolbSetup"}) {
        panels[name].setVisible(false);
    }
    EXPECT_EQ(geometryOf(panels["toolbMenu"]), QRect(0, 0, 400, 27));
    EXPECT_EQ(geometryOf(panels["Picmain"]), QRect(0, 27, 400, 120));
    EXPECT_EQ(panels["Picmain"].scaleWidth(), 400);
    EXPECT_EQ(panels["Picmain"].align(), 1);

    // Opening a toolbar above the score area: undock the score area, dock the
    // toolbar, dock the score area again.
    auto openAbove = [&](const char* name) {
        panels[name].setVisible(true);
        panels["Picmain"].setAlign(0);
        panels[name].setAlign(1);
        panels["Picmain"].setAlign(1);
    };
    openAbove("toolbSetup");
    EXPECT_EQ(geometryOf(panels["toolbSetup"]), QRect(0, 27, 400, 26));
    EXPECT_EQ(panels["Picmain"].top(), 53);
    openAbove("ToolbCompose");  // the one opened last sits nearest the score
    EXPECT_EQ(panels["toolbSetup"].top(), 27);
    EXPECT_EQ(panels["ToolbCompose"].top(), 53);
    EXPECT_EQ(panels["Picmain"].top(), 84);

    // Closing gives the space back at once.
    panels["toolbSetup"].setVisible(false);
    EXPECT_EQ(panels["ToolbCompose"].top(), 27);
    EXPECT_EQ(panels["Picmain"].top(), 58);

    // A changed height re-lays the stack.
    panels["toolbMenu"].setHeight(30);
    EXPECT_EQ(panels["ToolbCompose"].top(), 30);
}

TEST_F(FormsTest, BottomStackGrowsUpwardsFromTheInnermostPlace) {
    Panels panels(*form);
    for (const char* name : {"toolbRythm", "ToolbCompose", "toolbPlay", "toolbSetup"}) {
        panels[name].setVisible(false);
    }
    panels["toolbRythm"].setVisible(true);
    panels["toolbRythm"].setAlign(2);
    EXPECT_EQ(panels["toolbRythm"].align(), 2);
    EXPECT_EQ(geometryOf(panels["toolbRythm"]), QRect(0, 269, 400, 31));
    panels["toolbPlay"].setVisible(true);
    panels["toolbPlay"].setAlign(2);  // innermost: above the one docked before
    EXPECT_EQ(panels["toolbPlay"].top(), 243);
    EXPECT_EQ(panels["toolbRythm"].top(), 269);
    // The top stack is untouched.
    EXPECT_EQ(panels["Picmain"].top(), 27);

    // The main toolbar below the staff: undock it, dock it to the bottom.
    panels["toolbMenu"].setAlign(0);
    panels["Picmain"].setAlign(1);
    panels["toolbMenu"].setAlign(2);
    EXPECT_EQ(panels["Picmain"].top(), 0);
    EXPECT_EQ(panels["toolbMenu"].top(), 243 - 27);
}

TEST_F(FormsTest, UndockedPanelKeepsItsPlaceAndDockedOnesFollowTheClientArea) {
    Panels panels(*form);
    panels["toolbPlay"].setAlign(2);
    const QRect before = geometryOf(panels["toolbRythm"]);
    panels["toolbRythm"].setAlign(0);
    EXPECT_EQ(geometryOf(panels["toolbRythm"]), before);
    EXPECT_EQ(panels["toolbRythm"].align(), 0);
    EXPECT_EQ(panels["ToolbCompose"].top(), 27);

    // Panels are laid out for the new size before Resize is raised.
    QRect bottomAtResize;
    int picmainWidthAtResize = 0;
    form->Resize = [&] {
        bottomAtResize = geometryOf(panels["toolbPlay"]);
        picmainWidthAtResize = panels["Picmain"].surface().width();
    };
    form->setClientSize(600, 500);
    EXPECT_EQ(bottomAtResize, QRect(0, 474, 600, 26));
    EXPECT_EQ(picmainWidthAtResize, 600);
    EXPECT_EQ(panels["toolbRythm"].width(), before.width());
}

TEST_F(FormsTest, DestroyedPanelLeavesItsStack) {
    forms::PictureBox first(*form, "first");
    first.setHeight(20);
    first.setAlign(1);
    {
        forms::PictureBox gone(*form, "gone");
        gone.setHeight(20);
        gone.setAlign(1);
        first.setAlign(1);
        EXPECT_EQ(first.top(), 20);
    }
    EXPECT_EQ(first.top(), 0);
}

}  // namespace
