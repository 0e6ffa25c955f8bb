// Option buttons: one group per container, the order of a press and the
// selection it causes, and graphical buttons that stay down while selected.

#include <QFocusEvent>
#include <QImage>
#include <string>
#include <vector>

#include "forms_testing.h"
#include "platform/forms/Controls.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/detail/ToggleButtonView.h"

namespace {

using formstest::FormsTest;

int shownState(const forms::Control& control) {
    return static_cast<forms::detail::ToggleButtonView*>(control.nativeWidget())->state();
}

TEST_F(FormsTest, SelectingOneUnselectsOnlyItsOwnContainersButtons) {
    forms::Frame frame(*form, "EditTrackFrame");
    frame.move(0, 0, 200, 100);
    forms::PictureBox panel(*form, "Picture6");
    panel.move(200, 0, 200, 100);
    forms::OptionButton a(frame, "TrackSel0", "1");
    forms::OptionButton b(frame, "TrackSel1", "2");
    forms::OptionButton c(panel, "TrackSel8", "1");
    forms::OptionButton d(panel, "TrackSel9", "2");
    std::vector<std::string> clicks;
    for (auto* button : {&a, &b, &c, &d}) {
        button->Click = [&clicks, button] { clicks.push_back(button->name()); };
    }

    a.setValue(true);
    c.setValue(true);
    EXPECT_TRUE(a.value());
    EXPECT_TRUE(c.value());

    b.setValue(true);
    EXPECT_FALSE(a.value());  // unselected without a Click of its own
    EXPECT_TRUE(b.value());
    EXPECT_TRUE(c.value());  // another container's group is left alone
    EXPECT_EQ(clicks, (std::vector<std::string>{"TrackSel0", "TrackSel8", "TrackSel1"}));
    EXPECT_EQ(shownState(a), 0);
    EXPECT_EQ(shownState(b), 1);

    // Selecting the selected one from code raises nothing; unselecting raises nothing.
    b.setValue(true);
    c.setValue(false);
    EXPECT_EQ(clicks.size(), 3u);
    EXPECT_FALSE(c.value());
    EXPECT_FALSE(d.value());
}

TEST_F(FormsTest, PressIsReportedBeforeTheSelectionItCauses) {
    forms::OptionButton first(*form, "FunctionBut0", "Draw");
    forms::OptionButton second(*form, "FunctionBut1", "Start");
    first.move(10, 10, 80, 24);
    second.move(100, 10, 80, 24);
    first.setValue(true);
    std::vector<std::string> log;
    second.MouseDown = [&](const forms::MouseEventArgs& args) {
        log.push_back("down button " + std::to_string(args.Button) + " selected " +
                      std::to_string(second.value()));
    };
    second.Click = [&] { log.push_back("click selected " + std::to_string(second.value())); };
    second.MouseUp = [&](const forms::MouseEventArgs&) {
        log.push_back("up selected " + std::to_string(second.value()));
    };
    first.Click = [&] { log.push_back("first click"); };

    formstest::press(second.nativeWidget(), {10, 10});
    EXPECT_FALSE(second.value());
    EXPECT_TRUE(first.value());
    formstest::release(second.nativeWidget(), {10, 10});
    EXPECT_EQ(log, (std::vector<std::string>{"down button 1 selected 0", "up selected 1",
                                             "click selected 1"}));
    EXPECT_FALSE(first.value());
}

TEST_F(FormsTest, APressOutlivesTheFocusMovingAwayBeforeItsRelease) {
    // A press into a window that is not active: the window system activates
    // it before the release, the pressed button gets the focus and its
    // GotFocus hands the focus on, as Play's does.
    forms::OptionButton play(*form, "PlayAndStop0");
    play.move(10, 10, 30, 30);
    int clicks = 0;
    play.Click = [&] { ++clicks; };
    play.MouseUp = [&](const forms::MouseEventArgs&) { play.setValue(false); };
    QWidget* widget = play.nativeWidget();
    for (int press = 1; press <= 3; ++press) {
        formstest::press(widget, {10, 10});
        QFocusEvent gained(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(widget, &gained);
        QFocusEvent lost(QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(widget, &lost);
        formstest::release(widget, {10, 10});
        EXPECT_EQ(clicks, press);
    }
    EXPECT_FALSE(play.value());
}

TEST_F(FormsTest, ReleaseOutsideTheButtonSelectsNothing) {
    forms::OptionButton button(*form, "TrackSel3", "4");
    button.move(10, 10, 40, 20);
    int clicks = 0;
    int ups = 0;
    button.Click = [&] { ++clicks; };
    button.MouseUp = [&](const forms::MouseEventArgs&) { ++ups; };
    formstest::press(button.nativeWidget(), {5, 5});
    formstest::release(button.nativeWidget(), {200, 5});
    EXPECT_FALSE(button.value());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(ups, 1);
}

TEST_F(FormsTest, PushButtonUseOfOptionButtons) {
    // Play and Stop: each press raises Click after the release has cleared the
    // value, and a press on a button that is still selected (Play while
    // playing) raises Click again.
    forms::OptionButton play(*form, "PlayAndStop0");
    forms::OptionButton stop(*form, "PlayAndStop1");
    play.move(10, 10, 30, 30);
    stop.move(50, 10, 30, 30);
    int playClicks = 0;
    play.Click = [&] { ++playClicks; };
    play.MouseUp = [&](const forms::MouseEventArgs&) { play.setValue(false); };

    formstest::clickAt(play.nativeWidget(), {10, 10});
    formstest::clickAt(play.nativeWidget(), {10, 10});
    EXPECT_EQ(playClicks, 2);
    EXPECT_FALSE(play.value());

    play.MouseUp = nullptr;
    formstest::clickAt(play.nativeWidget(), {10, 10});
    EXPECT_TRUE(play.value());
    formstest::clickAt(play.nativeWidget(), {10, 10});
    EXPECT_EQ(playClicks, 4);
}

TEST_F(FormsTest, GraphicalOptionButtonLooksPressedWhileSelected) {
    forms::OptionButton mode(*form, "FunctionBut2");
    mode.move(10, 10, 28, 28);
    mode.setGraphical(true);
    surface::Surface pixels(20, 20, surface::rgb(0, 0, 200));
    mode.setPicture(forms::Picture(std::move(pixels)));
    const QImage up = mode.nativeWidget()->grab().toImage();
    mode.setValue(true);
    const QImage down = mode.nativeWidget()->grab().toImage();
    EXPECT_NE(up, down);
    // The picture is drawn inside the button either way.
    EXPECT_EQ(QColor(down.pixel(down.width() / 2, down.height() / 2)), QColor(0, 0, 200));
    mode.setValue(false);
    EXPECT_EQ(mode.nativeWidget()->grab().toImage(), up);
}

TEST_F(FormsTest, GraphicalCheckBoxStaysDownWhileTicked) {
    forms::CheckBox toggle(*form, "toolberasecheck");
    toggle.move(10, 10, 28, 28);
    toggle.setGraphical(true);
    const QImage up = toggle.nativeWidget()->grab().toImage();
    formstest::clickAt(toggle.nativeWidget(), {14, 14});
    EXPECT_EQ(toggle.value(), 1);
    EXPECT_EQ(shownState(toggle), 1);
    EXPECT_NE(toggle.nativeWidget()->grab().toImage(), up);
}

TEST_F(FormsTest, DestroyedOptionButtonLeavesItsGroup) {
    forms::OptionButton kept(*form, "Kept");
    {
        forms::OptionButton gone(*form, "Gone");
        gone.setValue(true);
    }
    kept.setValue(true);
    EXPECT_TRUE(kept.value());
}

}  // namespace
