// Menus: captions, check marks, visibility, Click, and the popup menu that
// opens once per mouse gesture.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "forms_testing.h"
#include "platform/forms/Menu.h"
#include "platform/forms/PictureBox.h"

namespace {

using formstest::FormsTest;

QMenuBar* menuBarOf(forms::Form& form) {
    return static_cast<QMainWindow*>(form.nativeWindow())->menuBar();
}

TEST_F(FormsTest, MenuItemsKeepTheirCaptionCheckVisibilityAndEnabled) {
    forms::Menu setup(*form, "mnuSetup", "Setup");
    forms::Menu toolbars(setup, "mnuToolbars", "Toolbars");
    forms::Menu group(toolbars, "mnuSetupToolbar", "Setup Toolbar");
    forms::Menu open(group, "mnuOpenSetuptoolb", "Open");
    forms::Menu above(group, "mnuAboveStaff2", "Above Staff");
    forms::Menu space(setup, "mnuSpace1", "-");
    forms::Menu exit(setup, "mnuExit", "Exit");

    EXPECT_TRUE(space.action()->isSeparator());
    EXPECT_EQ(setup.submenu()->actions().size(), 3);
    ASSERT_NE(group.action()->menu(), nullptr);
    EXPECT_EQ(group.action()->menu()->actions().size(), 2);

    open.setCaption("Close");
    EXPECT_EQ(open.caption(), "Close");
    EXPECT_EQ(open.action()->text(), "Close");

    above.setChecked(true);
    EXPECT_TRUE(above.checked());
    EXPECT_TRUE(above.action()->isChecked());
    above.setChecked(false);
    EXPECT_FALSE(above.action()->isChecked());

    exit.setEnabled(false);
    EXPECT_FALSE(exit.action()->isEnabled());
    exit.setVisible(false);
    EXPECT_FALSE(exit.visible());
    EXPECT_FALSE(exit.action()->isVisible());
}

TEST_F(FormsTest, ChoosingAnItemRaisesClickAndLeavesTheMarkToTheProgram) {
    forms::Menu devices(*form, "midi_devices", "Midi Drivers");
    forms::Menu mapper(devices, "Device0", "MIDI Mapper");
    forms::Menu port(devices, "Device1", "Port");
    int clicks = 0;
    mapper.Click = [&] { ++clicks; };
    mapper.setChecked(true);
    mapper.action()->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(mapper.action()->isChecked());
    port.action()->trigger();  // no handler: nothing happens
    EXPECT_FALSE(port.checked());
    EXPECT_FALSE(port.action()->isChecked());
}

TEST_F(FormsTest, HiddenTopLevelMenuIsNotOnTheBar) {
    forms::Menu edit(*form, "MnuEdit2", "Edit");
    forms::Menu popup(*form, "mnupopup", "popup");
    forms::Menu copy(popup, "mnuCopy", "Copy Selection");
    popup.setVisible(false);
    const QList<QAction*> onBar = menuBarOf(*form)->actions();
    ASSERT_EQ(onBar.size(), 2);
    EXPECT_TRUE(onBar[0]->isVisible());
    EXPECT_FALSE(onBar[1]->isVisible());
    EXPECT_EQ(popup.submenu()->actions().size(), 1);
}

// Closes every popup a moment after it opens, choosing an item when asked.
class PopupCloser {
public:
    explicit PopupCloser(QAction* choose = nullptr) : choose_(choose) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++closed;
                if (choose_) {
                    popup->setActiveAction(choose_);
                    choose_->trigger();
                }
                popup->close();
            }
        });
        timer_.start();
    }
    int closed = 0;

private:
    QAction* choose_;
    QTimer timer_;
};

TEST_F(FormsTest, PopupMenuOpensAndReturnsWhenClosed) {
    forms::Menu popup(*form, "mnupopup", "popup");
    forms::Menu erase(popup, "mnuErase", "Erase Selection");
    popup.setVisible(false);
    int chosen = 0;
    erase.Click = [&] { ++chosen; };
    PopupCloser closer(erase.action());
    form->popupMenu(popup);
    EXPECT_EQ(closer.closed, 1);
    EXPECT_EQ(chosen, 1);
}

TEST_F(FormsTest, PopupOpensOncePerGesture) {
    forms::Menu popup(*form, "mnupopup", "popup");
    forms::Menu copy(popup, "mnuCopy", "Copy Selection");
    popup.setVisible(false);
    forms::PictureBox box(*form, "MusicBox");
    box.move(0, 0, 100, 100);
    int opened = 0;
    QObject::connect(popup.submenu(), &QMenu::aboutToShow, [&] { ++opened; });
    // Both the press and the release of a right click ask for the menu.
    box.MouseDown = [&](const forms::MouseEventArgs& a) {
        if (a.Button == forms::RightButton) form->popupMenu(popup);
    };
    box.MouseUp = [&](const forms::MouseEventArgs& a) {
        if (a.Button != forms::LeftButton) form->popupMenu(popup);
    };
    PopupCloser closer;
    formstest::clickAt(box.childHost(), {10, 10}, Qt::RightButton);
    EXPECT_EQ(opened, 1);
    formstest::clickAt(box.childHost(), {10, 10}, Qt::RightButton);
    EXPECT_EQ(opened, 2);
    // Asked from code outside any gesture, it opens every time.
    form->popupMenu(popup);
    form->popupMenu(popup);
    EXPECT_EQ(opened, 4);
}

}  // namespace
