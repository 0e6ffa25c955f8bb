// Setting a value from code raises the same handler as the user's action,
// before the setter returns, and only when the value really changes; option
// buttons form one group per container.

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include "forms_testing.h"
#include "platform/forms/PictureBox.h"

namespace {

using namespace formstest;

// Each character as a key press, with the key code given.
void typeInto(QWidget* widget, const QString& text, int key = 0) {
    for (const QChar c : text) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &event);
    }
}

TEST_F(FormsTest, CheckBoxAndTextBoxRaiseTheirHandlerOnEveryRealChangeAndMayNest) {
    forms::CheckBox box(*form, "Check1", "Loop song");
    box.move(10, 10, 120, 20);
    std::string log;
    box.Click = [&] { log += "check " + std::to_string(box.value()) + ", "; };
    for (const int value : {1, 1, 2, 5, 0, 0}) box.setValue(value);  // 2 is greyed, the most
    for (int click = 0; click < 2; ++click) clickOn(box.nativeWidget(), {5, 10});

    // Two boxes that copy each other, as the rhythm tools do.
    forms::TextBox beats(*form, "Text5", "8"), repeat(*form, "Text4", "8");
    auto copy = [&](forms::TextBox& from, forms::TextBox& to) {
        return [&] {
            log += from.name() + " " + from.text() + ", ";
            to.setText(from.text());
        };
    };
    beats.Change = copy(beats, repeat);
    repeat.Change = copy(repeat, beats);
    for (const char* text : {"8", "4"}) repeat.setText(text);
    auto* edit = static_cast<QLineEdit*>(beats.nativeWidget());
    EXPECT_EQ(edit->text(), "4");
    edit->end(false);
    typeInto(edit, "5");
    EXPECT_EQ(log,
              "check 1, check 2, check 0, check 1, check 0, "
              "Text4 4, Text5 4, Text5 45, Text4 45, ");
}

TEST_F(FormsTest, ComboRaisesClickOnAnIndexChangeAndChangeOnText) {
    forms::ComboBox list(*form, "Combo2");
    for (const char* item : {"MIDI Mapper", "Port A", "Port B"}) list.addItem(item);
    std::vector<int> clicks;
    list.Click = [&] { clicks.push_back(list.listIndex()); };
    list.setText("MIDI Mapper");  // shows the text, chooses nothing
    EXPECT_EQ(list.text() + std::to_string(list.listIndex()), "MIDI Mapper-1");
    EXPECT_TRUE(list.setListIndex(2) && list.setListIndex(2));
    EXPECT_FALSE(list.setListIndex(3) || list.setListIndex(-1));
    EXPECT_EQ(static_cast<QComboBox*>(list.nativeWidget())->currentIndex(), 2);
    typeInto(list.nativeWidget(), " ", Qt::Key_Up);  // the user steps through the list
    EXPECT_EQ(clicks, (std::vector<int>{2, 1}));
    EXPECT_EQ(list.text(), "Port A");
    list.clear();
    EXPECT_EQ(list.listCount() + list.listIndex(), -1);

    // Typed text is an item only when it is exactly the item's text.
    forms::ComboBox format(*form, "cbxFormat", true);
    for (const char* item : {"8bit Mono", "16bit Stereo"}) format.addItem(item);
    format.setListIndex(1);
    std::string log;
    format.Change = [&] { log += std::to_string(format.listIndex()); };
    format.Click = [&] { log += "click"; };
    QLineEdit* edit = static_cast<QComboBox*>(format.nativeWidget())->lineEdit();
    edit->selectAll();
    typeInto(edit, "8bit Mono!");
    typeInto(edit, "\r", Qt::Key_Return);  // keeps the text, adds no item
    for (int twice = 0; twice < 2; ++twice) format.setText("16bit Stereo");
    EXPECT_EQ(log, "-1-1-1-1-1-1-1-10-11");
    EXPECT_EQ(format.listCount(), 2);
}

TEST_F(FormsTest, ScrollBarKeepsItsValueInRangeAndRaisesChangeWhenItMoves) {
    forms::ScrollBar bar(*form, "HScroll1", forms::ScrollBar::Orientation::Horizontal);
    std::string log;
    bar.Change = [&] { log += "change " + std::to_string(bar.value()) + ", "; };
    bar.Scroll = [&] { log += "scroll, "; };
    auto* view = static_cast<QScrollBar*>(bar.nativeWidget());
    bar.setMin(28);  // the value 0 moves up into the range
    bar.setMax(972);
    bar.setLargeChange(56);
    for (const int value : {500, 500, 5000}) bar.setValue(value);
    for (const int max : {900, 950}) bar.setMax(max);  // narrowing moves the value inside
    EXPECT_EQ(QString("%1 %2 %3 %4")
                  .arg(view->minimum())
                  .arg(view->maximum())
                  .arg(view->pageStep())
                  .arg(view->value()),
              "28 950 56 900");
    bar.setMin(1000);  // Min above Max: the bar's start stands for Min
    for (const int value : {0, 2000}) bar.setValue(value);
    bar.setMin(0);
    bar.setMax(100);
    bar.setLargeChange(10);
    bar.setValue(0);
    view->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    view->triggerAction(QAbstractSlider::SliderPageStepAdd);
    // Scroll while the thumb is dragged, one Change at its end; none for a
    // drag that ends where it began.
    for (const auto& [via, end] : {std::pair{30, 50}, {70, 50}}) {
        view->setSliderDown(true);
        view->setSliderPosition(via);
        view->setSliderPosition(end);
        view->setSliderDown(false);
    }
    EXPECT_EQ(log,
              "change 28, change 500, change 972, change 900, change 950, change 1000, "
              "change 950, change 100, change 0, change 1, change 11, "
              "scroll, scroll, change 50, scroll, scroll, ");
}

TEST_F(FormsTest, SelectingAnOptionButtonUnselectsOnlyItsOwnContainersButtons) {
    forms::Frame frame(*form, "EditTrackFrame");
    forms::PictureBox panel(*form, "Picture6");
    forms::OptionButton a(frame, "a"), b(frame, "b"), c(panel, "c");
    std::string clicks;
    for (auto* button : {&a, &b, &c}) button->Click = [&, button] { clicks += button->name(); };
    for (auto* button : {&a, &c, &b, &b}) button->setValue(true);  // a unselected, no Click
    {
        forms::OptionButton gone(panel, "Gone");
        gone.setValue(true);
    }
    c.setValue(true);  // a destroyed button has left the group
    EXPECT_EQ(
        clicks + std::to_string(a.value()) + std::to_string(b.value()) + std::to_string(c.value()),
        "acbc011");
}

TEST_F(FormsTest, OptionButtonIsSelectedByTheReleaseBeforeMouseUpAndClicksOnEveryPress) {
    forms::OptionButton stop(*form, "PlayAndStop1");
    forms::OptionButton play(*form, "PlayAndStop0");
    play.move(100, 10, 80, 24);
    stop.setValue(true);
    std::string log;
    auto values = [&] { return std::to_string(play.value()) + std::to_string(stop.value()); };
    play.MouseDown = [&](const forms::MouseEventArgs&) { log += "down " + values() + ", "; };
    play.MouseUp = [&](const forms::MouseEventArgs&) { log += "up " + values() + ", "; };
    play.Click = [&] { log += "click " + values() + ", "; };
    clickOn(play.nativeWidget(), {10, 10});
    EXPECT_EQ(log, "down 01, up 10, click 10, ");

    // Play's push-button use: its MouseUp clears the value, and every press
    // clicks, also when the focus moved away between press and release (the
    // window being activated, Play's GotFocus handing the focus on).
    log.clear();
    play.MouseUp = [&](const forms::MouseEventArgs&) { play.setValue(false); };
    pressOn(play.nativeWidget(), {10, 10});
    for (const auto type : {QEvent::FocusIn, QEvent::FocusOut}) {
        QFocusEvent focus(type, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(play.nativeWidget(), &focus);
    }
    releaseOn(play.nativeWidget(), {10, 10});
    play.MouseUp = nullptr;
    for (int twice = 0; twice < 2; ++twice) clickOn(play.nativeWidget(), {10, 10});
    EXPECT_EQ(log, "down 10, click 00, down 00, click 10, down 10, click 10, ");
}

}  // namespace
