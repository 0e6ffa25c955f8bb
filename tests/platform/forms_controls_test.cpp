// What every control offers: mouse events and clicks (none while disabled),
// its place, its own Visible and Enabled, colours, pointers, focus; how labels
// and graphical buttons look.

#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <set>

#include "forms_testing.h"
#include "platform/forms/PictureBox.h"

namespace {

using namespace formstest;

TEST_F(FormsTest, MouseEventsReportButtonsKeysAndScaledPosition) {
    forms::PictureBox box(*form, "MusicBox");
    box.setMouseScale(forms::TwipsPerPixel);
    std::string log;
    logEvents(box, log);
    QWidget* canvas = box.childHost();
    const auto both = Qt::LeftButton | Qt::RightButton;
    sendMouse(canvas, QEvent::MouseButtonPress, {2, 4}, Qt::RightButton, Qt::RightButton,
              Qt::ShiftModifier);
    sendMouse(canvas, QEvent::MouseButtonPress, {2, 4}, Qt::LeftButton, both, Qt::ControlModifier);
    sendMouse(canvas, QEvent::MouseMove, {3, 5}, Qt::NoButton, both, Qt::AltModifier);
    releaseOn(canvas, {3, 5}, Qt::RightButton);
    sendMouse(canvas, QEvent::MouseButtonPress, {3, 5}, Qt::MiddleButton,
              Qt::LeftButton | Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier);
    moveOn(canvas, {4, 6}, Qt::NoButton);
    EXPECT_EQ(log,
              "down 2 1 30,60, down 1 2 30,60, move 3 4 45,75, up 2 0 45,75, "
              "down 4 3 45,75, move 0 0 60,90, ");
}

// A left click, a right click and a left press released outside, on each kind:
// enabled, disabled, and enabled inside a disabled frame.
TEST_F(FormsTest, EveryKindClicksAfterMouseUpOnALeftReleaseInsideAndNothingWhileDisabled) {
    forms::Frame host(*form, "FunctionsFrame");
    host.move(0, 0, 400, 300);
    forms::Label label(host, "Label20", "www");
    forms::Image image(host, "Image3");
    forms::PictureBox box(host, "Picture1");
    forms::Frame frame(host, "Frame1");
    forms::CommandButton command(host, "Cmdsetup");
    forms::CheckBox check(host, "loopcheck");
    forms::OptionButton option(host, "PlayAndStop0");
    std::string hostLog;
    logEvents(host, hostLog);
    int top = 20;
    for (forms::Control* control :
         std::vector<forms::Control*>{&label, &image, &box, &frame, &command, &check, &option}) {
        SCOPED_TRACE(control->name());
        control->move(-10, top += 30, 50, 20);
        QWidget* target = control == &box ? box.childHost() : control->nativeWidget();
        std::string log;
        logEvents(*control, log);
        auto gesture = [&] {
            log.clear();
            clickOn(target, {15, 5});
            clickOn(target, {15, 5}, Qt::RightButton);
            pressOn(target, {15, 5});
            releaseOn(target, {500, 5});
            return log;
        };
        EXPECT_EQ(gesture(),
                  "down 1 0 15,5, up 1 0 15,5, click, down 2 0 15,5, up 2 0 15,5, "
                  "down 1 0 15,5, up 1 0 500,5, ");
        control->setEnabled(false);
        EXPECT_FALSE(control->enabled());
        EXPECT_EQ(gesture(), "");
        control->setEnabled(true);
        host.setEnabled(false);
        EXPECT_TRUE(control->enabled());  // its own flag
        EXPECT_EQ(gesture(), "");
        host.setEnabled(true);
        // Placed in the frame's pixels; hidden with it, its own Visible kept.
        EXPECT_EQ(target->mapTo(form->childHost(), QPoint(0, 0)), QPoint(-10, top));
        host.setVisible(false);
        EXPECT_TRUE(control->visible() && !target->isVisible());
        control->setVisible(false);
        host.setVisible(true);
        EXPECT_FALSE(control->visible() || target->isVisible());
    }
    EXPECT_EQ(hostLog, "");  // a press on a control is not one on its frame
}

// The keys that press the button that has the focus: Space every kind;
// Return and keypad Enter a command button only.
TEST_F(FormsTest, SpacePressesEveryButtonAndReturnOrEnterOnlyACommandButton) {
    forms::CommandButton command(*form, "CmdMidi");
    forms::CheckBox check(*form, "loopcheck");
    forms::OptionButton option(*form, "PlayAndStop0");
    const struct {
        forms::Control& button;
        const char* clicks;
    } cases[] = {
        {command, "Space click, Return click, Enter click, "},
        {check, "Space click, Return Enter "},
        {option, "Space click, Return Enter "},
    };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    } keys[] = {{Qt::Key_Space, Qt::NoModifier, "Space"},
                {Qt::Key_Return, Qt::NoModifier, "Return"},
                {Qt::Key_Enter, Qt::KeypadModifier, "Enter"}};
    QApplication::setActiveWindow(form->nativeWindow());
    for (const auto& one : cases) {
        SCOPED_TRACE(one.button.name());
        std::string log;
        logEvents(one.button, log);
        one.button.setFocus();
        QWidget* focused = QApplication::focusWidget();
        ASSERT_EQ(focused, one.button.nativeWidget());
        for (const auto& key : keys) {
            log += std::string(key.name) + " ";
            for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, key.key, key.modifiers,
                                key.key == Qt::Key_Space ? " " : "\r");
                QApplication::sendEvent(focused, &event);
            }
        }
        EXPECT_EQ(log, one.clicks);
    }
}

TEST_F(FormsTest, ColoursAreOleValuesAndSystemColoursAreTheDesktops) {
    forms::Label label(*form, "Label4", "WWW");
    label.setFontPixelSize(18);
    label.setFontBold(true);
    label.setBackColor(0xFF0000);  // blue
    label.setForeColor(0x0000FF);  // red
    const QImage image = label.nativeWidget()->grab().toImage();
    int redInk = 0;
    for (int at = 0; at < image.width() * image.height(); ++at) {
        redInk += image.pixelColor(at % image.width(), at / image.width()) == Qt::red;
    }
    EXPECT_GT(redInk, 10);
    EXPECT_EQ(image.pixelColor(image.width() - 1, 0), Qt::blue);
    // Button face (system colour 15) is the desktop's button colour.
    const QPalette original = QApplication::palette();
    QPalette desktop = original;
    desktop.setColor(QPalette::Button, QColor(10, 20, 30));
    QApplication::setPalette(desktop);
    forms::PictureBox box(*form, "Panel");
    box.setBackColor(0x8000000F);
    QApplication::setPalette(original);
    EXPECT_EQ(box.surface().pixel(0, 0), surface::rgb(10, 20, 30));
}

TEST_F(FormsTest, MousePointersByNumberAndFocusEvents) {
    forms::PictureBox box(*form, "MusicBox");
    QWidget* widget = box.nativeWidget();
    for (const auto& [pointer, shape] : {std::pair{forms::CrossPointer, Qt::CrossCursor},
                                         {forms::UpArrowPointer, Qt::UpArrowCursor},
                                         {forms::BusyPointer, Qt::WaitCursor}}) {
        box.setMousePointer(pointer);
        EXPECT_EQ(widget->cursor().shape(), shape) << pointer;
    }
    box.setMousePointer(forms::DefaultPointer);
    EXPECT_FALSE(widget->testAttribute(Qt::WA_SetCursor));
    box.setMouseIcon(forms::Picture(surface::Surface(32, 32, 0)), 11, 20);
    box.setMousePointer(forms::CustomPointer);
    EXPECT_EQ(widget->cursor().hotSpot(), QPoint(11, 20));

    forms::CommandButton button(*form, "CutBut");
    std::string log;
    box.GotFocus = [&] { log += "box got, "; };
    box.LostFocus = [&] { log += "box lost, "; };
    button.GotFocus = [&] { log += "button got"; };
    QApplication::setActiveWindow(form->nativeWindow());
    box.setFocus();
    button.setFocus();
    EXPECT_EQ(log, "box got, box lost, button got");
}

// Black ink on white: the picture, the 20-pixel line slots that hold ink, and
// the middle of the ink's columns.
struct Ink {
    QImage image;
    std::set<int> lines = {};
    int middle = 0;
};

Ink inkOf(forms::Label& label) {
    label.setBackColor(0xFFFFFF);
    label.setForeColor(0);
    label.setFontPixelSize(10);
    label.setLineSpacing(20);
    Ink ink{label.nativeWidget()->grab().toImage()};
    const int width = ink.image.width();
    int left = width;
    int right = 0;
    for (int at = 0; at < width * ink.image.height(); ++at) {
        if (QColor(ink.image.pixel(at % width, at / width)).lightness() >= 128) continue;
        ink.lines.insert(at / width / 20);
        left = std::min(left, at % width);
        right = std::max(right, at % width);
    }
    ink.middle = (left + right) / 2;
    return ink;
}

TEST_F(FormsTest, LabelAlignsItsCaptionAndStandsItsLinesAtTheirPitch) {
    const std::pair<int, int> middles[] = {{0, 3}, {1, 96}, {2, 50}};  // in 100 pixels
    for (const auto& [alignment, middle] : middles) {
        forms::Label label(*form, "Label1", "ii");
        label.move(0, 0, 100, 20);
        label.setAlignment(alignment);
        EXPECT_NEAR(inkOf(label).middle, middle, 4) << alignment;
    }
    forms::Label crlf(*form, "SideBar", "6C\r\n5B\r\n5A#\r\n");
    forms::Label lf(*form, "Plain", "6C\n5B\n5A#");
    forms::Label wrapped(*form, "Label2", "one two three four");
    for (forms::Label* label : {&crlf, &lf, &wrapped}) label->move(0, 0, 40, 60);
    crlf.setAlignment(1);  // a CR painted as part of its line would move it left
    lf.setAlignment(1);
    EXPECT_EQ(inkOf(crlf).lines, (std::set<int>{0, 1, 2}));
    EXPECT_EQ(inkOf(crlf).image, inkOf(lf).image);
    EXPECT_EQ(inkOf(wrapped).lines, std::set<int>{0});
    wrapped.setWordWrap(true);
    EXPECT_GT(inkOf(wrapped).lines.size(), 1u);
}

TEST_F(FormsTest, LabelIsRepaintedWhenChangedAndTransparentShowsWhatLiesBehind) {
    forms::PictureBox panel(*form, "Picture4");
    panel.setBackColor(0x00FF00);
    forms::Label label(panel, "TopBarOverlay", "0");
    waitUntilExposed();
    PaintCounter counter(label.nativeWidget());
    const std::function<void()> changes[] = {
        [&] { label.setCaption("123 Bytes"); }, [&] { label.setAlignment(1); },
        [&] { label.setForeColor(0x0000FF); }, [&] { label.setBackColor(0xFFFFFF); }};
    for (const auto& change : changes) {
        const int before = counter.paints;
        change();
        forms::doEvents();
        EXPECT_GT(counter.paints, before);
    }
    label.setTransparent(true);
    EXPECT_EQ(QColor(panel.nativeWidget()->grab().toImage().pixel(0, 0)), QColor(0, 255, 0));
}

TEST_F(FormsTest, GraphicalOptionButtonLooksPressedWhileSelectedAndShowsItsPicture) {
    forms::OptionButton button(*form, "FunctionBut2");
    button.move(10, 10, 28, 28);
    button.setGraphical(true);
    button.setPicture(forms::Picture(surface::Surface(20, 20, surface::rgb(0, 0, 200))));
    const QImage up = button.nativeWidget()->grab().toImage();
    button.setValue(true);
    const QImage down = button.nativeWidget()->grab().toImage();
    EXPECT_NE(down, up);
    EXPECT_EQ(QColor(down.pixel(14, 14)), QColor(0, 0, 200));
    button.setValue(false);
    EXPECT_EQ(button.nativeWidget()->grab().toImage(), up);
}

}  // namespace
