// What every control offers: mouse events, clicks, its own Visible and Enabled,
// colours, pointers, focus; and the label's pixel-pitched lines.

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <set>
#include <string>
#include <vector>

#include "forms_testing.h"
#include "platform/forms/Controls.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/detail/LabelView.h"

namespace {

using formstest::FormsTest;

struct MouseLog {
    std::vector<std::string> entries;
    void attach(forms::Control& control) {
        auto record = [this](const char* kind) {
            return [this, kind](const forms::MouseEventArgs& a) {
                entries.push_back(std::string(kind) + " " + std::to_string(a.Button) + " " +
                                  std::to_string(a.Shift) + " " + std::to_string(int(a.X)) + "," +
                                  std::to_string(int(a.Y)));
            };
        };
        control.MouseDown = record("down");
        control.MouseMove = record("move");
        control.MouseUp = record("up");
        control.Click = [this] { entries.push_back("click"); };
    }
};

TEST_F(FormsTest, MouseEventsReportButtonsShiftAndPosition) {
    forms::PictureBox box(*form, "MusicBox");
    box.move(20, 20, 200, 100);
    MouseLog log;
    log.attach(box);
    QWidget* canvas = box.childHost();

    formstest::sendMouse(canvas, QEvent::MouseButtonPress, {30, 40}, Qt::RightButton,
                         Qt::RightButton, Qt::ShiftModifier);
    formstest::sendMouse(canvas, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton,
                         Qt::LeftButton | Qt::RightButton);
    formstest::moveTo(canvas, {35, 41}, Qt::LeftButton | Qt::RightButton);
    formstest::release(canvas, {36, 42}, Qt::RightButton);
    formstest::moveTo(canvas, {37, 43}, Qt::NoButton);
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"down 2 1 30,40", "down 1 0 30,40", "move 3 0 35,41",
                                        "up 2 0 36,42", "move 0 0 37,43"}));
}

TEST_F(FormsTest, MouseScaleGivesTwips) {
    forms::Label slider(*form, "Label8", "| | | |");
    slider.move(10, 10, 98, 20);
    slider.setMouseScale(forms::TwipsPerPixel);
    float x = -1;
    slider.MouseDown = [&](const forms::MouseEventArgs& a) { x = a.X; };
    formstest::press(slider.nativeWidget(), {40, 5});
    EXPECT_FLOAT_EQ(x, 600.0f);
}

TEST_F(FormsTest, LabelsImagesAndBoxesClickOnLeftReleaseInside) {
    forms::Label label(*form, "Label20", "www");
    label.move(0, 0, 50, 20);
    forms::Image image(*form, "Image3");
    image.move(0, 30, 50, 20);
    forms::PictureBox box(*form, "Picture1");
    box.move(0, 60, 50, 20);
    for (forms::Control* control : std::vector<forms::Control*>{&label, &image, &box}) {
        MouseLog log;
        log.attach(*control);
        QWidget* target = control == &box ? box.childHost() : control->nativeWidget();
        formstest::clickAt(target, {5, 5});
        formstest::clickAt(target, {5, 5}, Qt::RightButton);
        formstest::press(target, {5, 5});
        formstest::release(target, {500, 5});
        EXPECT_EQ(log.entries,
                  (std::vector<std::string>{"down 1 0 5,5", "up 1 0 5,5", "click", "down 2 0 5,5",
                                            "up 2 0 5,5", "down 1 0 5,5", "up 1 0 500,5"}))
            << control->name();
    }
}

TEST_F(FormsTest, ButtonsRaiseMouseUpBeforeClick) {
    forms::CommandButton command(*form, "Cmdsetup");
    forms::CheckBox check(*form, "loopcheck");
    forms::OptionButton option(*form, "PlayAndStop0");
    for (forms::Control* button : std::vector<forms::Control*>{&command, &check, &option}) {
        button->move(10, 10, 40, 25);
        MouseLog log;
        log.attach(*button);
        formstest::clickAt(button->nativeWidget(), {4, 4});
        EXPECT_EQ(log.entries, (std::vector<std::string>{"down 1 0 4,4", "up 1 0 4,4", "click"}))
            << button->name();
        button->setVisible(false);
    }
}

TEST_F(FormsTest, PressOnAChildIsNotAPressOnItsContainer) {
    forms::PictureBox panel(*form, "toolbMenu");
    panel.move(0, 0, 300, 30);
    forms::Label label(panel, "Label10", "Note #");
    label.move(10, 5, 60, 20);
    MouseLog panelLog;
    panelLog.attach(panel);
    MouseLog labelLog;
    labelLog.attach(label);
    formstest::clickAt(label.nativeWidget(), {3, 3});
    EXPECT_TRUE(panelLog.entries.empty());
    EXPECT_EQ(labelLog.entries.size(), 3u);
}

TEST_F(FormsTest, OwnVisibleAndEnabledFlagsAndInertFrames) {
    forms::Frame frame(*form, "FunctionsFrame", "Functions");
    frame.move(0, 0, 200, 100);
    forms::CheckBox inside(frame, "Check", "x");
    inside.move(10, 20, 60, 20);
    forms::CheckBox disabledInside(frame, "TrackSel5", "y");
    disabledInside.move(80, 20, 60, 20);
    disabledInside.setEnabled(false);
    int clicks = 0;
    inside.Click = [&] { ++clicks; };

    frame.setEnabled(false);
    EXPECT_FALSE(frame.enabled());
    EXPECT_TRUE(inside.enabled());  // its own flag
    EXPECT_FALSE(inside.nativeWidget()->isEnabled());
    formstest::clickAt(inside.nativeWidget(), {5, 10});
    EXPECT_EQ(inside.value(), 0);
    EXPECT_EQ(clicks, 0);
    // Code still sets it, raising Click as ever.
    inside.setValue(1);
    EXPECT_EQ(clicks, 1);

    frame.setEnabled(true);
    formstest::clickAt(inside.nativeWidget(), {5, 10});
    EXPECT_EQ(inside.value(), 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(disabledInside.enabled());
    EXPECT_FALSE(disabledInside.nativeWidget()->isEnabled());

    frame.setVisible(false);
    EXPECT_FALSE(frame.visible());
    EXPECT_TRUE(inside.visible());
    EXPECT_FALSE(inside.nativeWidget()->isVisible());
    inside.setVisible(false);
    frame.setVisible(true);
    EXPECT_FALSE(inside.visible());
    EXPECT_TRUE(disabledInside.nativeWidget()->isVisible());
}

TEST_F(FormsTest, GeometryIsInTheContainersPixels) {
    forms::PictureBox panel(*form, "Picmain");
    panel.move(0, 40, 400, 200);
    forms::ScrollBar bar(panel, "HScroll1", forms::ScrollBar::Orientation::Horizontal);
    bar.move(45, 150, 300, 13);
    EXPECT_EQ(bar.left(), 45);
    EXPECT_EQ(bar.top(), 150);
    EXPECT_EQ(bar.width(), 300);
    EXPECT_EQ(bar.height(), 13);
    EXPECT_EQ(bar.nativeWidget()->mapTo(form->childHost(), QPoint(0, 0)), QPoint(45, 190));
    bar.setLeft(-18);
    bar.setTop(0);
    bar.setWidth(-5);
    EXPECT_EQ(bar.left(), -18);
    EXPECT_EQ(bar.width(), 0);
}

TEST_F(FormsTest, ColoursAreOleBgr) {
    forms::Label label(*form, "Label4", "Start Recording");
    label.move(0, 0, 120, 20);
    label.setBackColor(0x0000FF);  // red
    label.setForeColor(0x008000);
    EXPECT_EQ(label.backColor(), 0x0000FFu);
    const QImage image = label.nativeWidget()->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(118, 1)), QColor(255, 0, 0));
    bool greenText = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).green() > 64 && QColor(image.pixel(x, y)).red() < 128) {
                greenText = true;
            }
        }
    }
    EXPECT_TRUE(greenText);

    // A system colour shows as the desktop's button face.
    forms::PictureBox box(*form, "Panel");
    box.move(0, 30, 10, 10);
    box.setBackColor(0x8000000F);
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(box.surface().pixel(3, 3), surface::rgb(face.red(), face.green(), face.blue()));
}

TEST_F(FormsTest, MousePointersAndTheCustomCursor) {
    forms::PictureBox box(*form, "MusicBox");
    box.move(0, 0, 50, 50);
    box.setMousePointer(forms::CrossPointer);
    EXPECT_EQ(box.nativeWidget()->cursor().shape(), Qt::CrossCursor);
    box.setMousePointer(forms::UpArrowPointer);
    EXPECT_EQ(box.nativeWidget()->cursor().shape(), Qt::UpArrowCursor);
    box.setMousePointer(forms::BusyPointer);
    EXPECT_EQ(box.nativeWidget()->cursor().shape(), Qt::WaitCursor);
    box.setMousePointer(forms::DefaultPointer);
    EXPECT_FALSE(box.nativeWidget()->testAttribute(Qt::WA_SetCursor));

    box.setMouseIcon(forms::Picture(surface::Surface(32, 32, 0)), 11, 20);
    box.setMousePointer(forms::CustomPointer);
    const QCursor cursor = box.nativeWidget()->cursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(11, 20));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(box.mousePointer(), forms::CustomPointer);
}

TEST_F(FormsTest, FocusEventsAndToolTips) {
    forms::PictureBox box(*form, "MusicBox");
    box.move(0, 0, 50, 50);
    forms::CommandButton button(*form, "CutBut");
    button.move(60, 0, 40, 20);
    button.setToolTipText("Cut Selection");
    EXPECT_EQ(button.toolTipText(), "Cut Selection");
    std::vector<std::string> log;
    box.GotFocus = [&] { log.push_back("box got"); };
    box.LostFocus = [&] { log.push_back("box lost"); };
    button.GotFocus = [&] { log.push_back("button got"); };

    form->nativeWindow()->activateWindow();
    QApplication::setActiveWindow(form->nativeWindow());
    box.setFocus();
    EXPECT_TRUE(box.hasFocus());
    button.setFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"box got", "box lost", "button got"}));
}

// The rows of a grabbed label that hold dark ink.
std::vector<int> inkRows(const QImage& image) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).lightness() < 128) {
                rows.push_back(y);
                break;
            }
        }
    }
    return rows;
}

TEST_F(FormsTest, LabelLinesStandAtTheirPixelPitch) {
    forms::Label sideBar(*form, "SideBar", "6C\r\n5B\r\n5A#\r\n");
    sideBar.move(0, 0, 33, 60);
    sideBar.setBackColor(0xFFFFFF);
    sideBar.setForeColor(0);
    sideBar.setFontPixelSize(10);
    sideBar.setLineSpacing(12);
    const std::vector<int> rows = inkRows(sideBar.nativeWidget()->grab().toImage());
    ASSERT_FALSE(rows.empty());
    std::set<int> lineSlots;
    for (int row : rows) lineSlots.insert(row / 12);
    EXPECT_EQ(lineSlots, (std::set<int>{0, 1, 2}));  // each line inside its own 12-pixel slot

    // "\n" alone breaks lines the same way.
    forms::Label plain(*form, "Plain", "6C\n5B\n5A#");
    plain.move(40, 0, 33, 60);
    plain.setBackColor(0xFFFFFF);
    plain.setForeColor(0);
    plain.setFontPixelSize(10);
    plain.setLineSpacing(12);
    EXPECT_EQ(inkRows(plain.nativeWidget()->grab().toImage()), rows);
}

TEST_F(FormsTest, LabelWordWrapAndCaption) {
    forms::Label label(*form, "Label2", "one two three four");
    label.move(0, 0, 40, 80);
    auto* view = static_cast<forms::detail::LabelView*>(label.nativeWidget());
    EXPECT_EQ(view->paintedLines().size(), 1);
    label.setWordWrap(true);
    EXPECT_GT(view->paintedLines().size(), 1);
    label.setCaption("123 Bytes");
    EXPECT_EQ(label.caption(), "123 Bytes");
}

TEST_F(FormsTest, TransparentLabelShowsWhatLiesBehind) {
    forms::PictureBox panel(*form, "Picture4");
    panel.move(0, 0, 100, 40);
    panel.setBackColor(0x00FF00);
    forms::Label overlay(panel, "TopBarOverlay", "");
    overlay.move(0, 0, 100, 20);
    overlay.setBackColor(0xFFFFFF);
    overlay.setTransparent(true);
    const QImage image = panel.nativeWidget()->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(50, 10)), QColor(0, 255, 0));
}

}  // namespace
