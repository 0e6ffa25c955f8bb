// Setting a value from code raises the same handler as the user's action,
// before the setter returns, and only when the value really changes.

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include "forms_testing.h"
#include "platform/forms/Controls.h"

namespace {

using formstest::FormsTest;

void typeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &event);
    }
}

void pressKey(QWidget* widget, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST_F(FormsTest, CheckBoxRaisesClickOncePerRealChange) {
    forms::CheckBox box(*form, "Check1", "Loop song");
    box.move(10, 10, 120, 20);
    std::vector<int> seen;
    box.Click = [&] { seen.push_back(box.value()); };

    box.setValue(1);
    box.setValue(1);
    EXPECT_EQ(seen, (std::vector<int>{1}));
    box.setValue(0);
    box.setValue(0);
    EXPECT_EQ(seen, (std::vector<int>{1, 0}));

    // A user's click ticks and unticks it, raising Click each time.
    formstest::clickAt(box.nativeWidget(), {5, 10});
    EXPECT_EQ(box.value(), 1);
    formstest::clickAt(box.nativeWidget(), {5, 10});
    EXPECT_EQ(box.value(), 0);
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 0}));
}

TEST_F(FormsTest, HandlerRunsBeforeTheSetterReturnsAndMayNest) {
    // Two text boxes that copy each other, as the rhythm tools do: the nested
    // change stops as soon as a value no longer changes.
    forms::TextBox beats(*form, "Text5", "8");
    forms::TextBox repeat(*form, "Text4", "8");
    int beatsChanges = 0;
    int repeatChanges = 0;
    beats.Change = [&] {
        ++beatsChanges;
        repeat.setText(beats.text());
    };
    repeat.Change = [&] {
        ++repeatChanges;
        beats.setText(repeat.text());
    };

    repeat.setText("4");
    EXPECT_EQ(repeatChanges, 1);
    EXPECT_EQ(beatsChanges, 1);
    EXPECT_EQ(beats.text(), "4");
    EXPECT_EQ(static_cast<QLineEdit*>(beats.nativeWidget())->text(), "4");
}

TEST_F(FormsTest, TextBoxChangeFromCodeAndTyping) {
    forms::TextBox text(*form, "Instxt", "24");
    text.move(10, 10, 80, 20);
    std::vector<std::string> seen;
    text.Change = [&] { seen.push_back(text.text()); };

    text.setText("24");
    EXPECT_TRUE(seen.empty());
    text.setText("24 ");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "24 ");

    auto* edit = static_cast<QLineEdit*>(text.nativeWidget());
    edit->setCursorPosition(edit->text().size());
    typeInto(edit, "5");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], "24 5");
}

TEST_F(FormsTest, ComboListIndexRaisesClickOnlyOnChange) {
    forms::ComboBox list(*form, "Combo2");
    list.move(10, 10, 150, 22);
    list.addItem("MIDI Mapper");
    list.addItem("Port A");
    list.addItem("Port B");
    EXPECT_EQ(list.listIndex(), -1);  // adding items chooses none
    std::vector<int> seen;
    list.Click = [&] { seen.push_back(list.listIndex()); };

    EXPECT_TRUE(list.setListIndex(1));
    EXPECT_TRUE(list.setListIndex(1));
    EXPECT_EQ(seen, (std::vector<int>{1}));
    EXPECT_EQ(static_cast<QComboBox*>(list.nativeWidget())->currentIndex(), 1);

    // An index that is not in the list changes nothing.
    EXPECT_FALSE(list.setListIndex(3));
    EXPECT_FALSE(list.setListIndex(-1));
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(seen, (std::vector<int>{1}));

    // The user steps through the list with the keyboard.
    pressKey(list.nativeWidget(), Qt::Key_Down);
    EXPECT_EQ(list.listIndex(), 2);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    EXPECT_EQ(list.text(), "Port B");
}

TEST_F(FormsTest, PlainComboTextOnlyShowsAndNeverSelects) {
    forms::ComboBox list(*form, "Combo2");
    list.addItem("MIDI Mapper");
    int clicks = 0;
    list.Click = [&] { ++clicks; };

    list.setText("MIDI Mapper");
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.text(), "MIDI Mapper");
    EXPECT_EQ(clicks, 0);

    // Choosing the entry afterwards is a change and raises Click.
    EXPECT_TRUE(list.setListIndex(0));
    EXPECT_EQ(clicks, 1);

    list.clear();
    EXPECT_EQ(list.listCount(), 0);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.list(0), "");
}

TEST_F(FormsTest, EditableComboTakesTypedTextThatMatchesNoItem) {
    forms::ComboBox format(*form, "cbxFormat", true);
    format.move(10, 10, 200, 22);
    format.addItem("44.100Hz, 8bit Mono, 43k/sec");
    format.addItem("44.100Hz, 16bit Stereo, 172k/sec");
    format.setListIndex(1);
    int changes = 0;
    int clicks = 0;
    format.Change = [&] { ++changes; };
    format.Click = [&] { ++clicks; };

    auto* edit = static_cast<QComboBox*>(format.nativeWidget())->lineEdit();
    edit->selectAll();
    typeInto(edit, "22kHz");
    EXPECT_EQ(format.text(), "22kHz");
    EXPECT_EQ(format.listIndex(), -1);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(clicks, 0);
    // Enter keeps the text and adds no item.
    pressKey(edit, Qt::Key_Return);
    EXPECT_EQ(format.listCount(), 2);
    EXPECT_EQ(format.text(), "22kHz");

    // Text that is exactly an item's caption is that item.
    format.setText("44.100Hz, 8bit Mono, 43k/sec");
    EXPECT_EQ(format.listIndex(), 0);
    EXPECT_EQ(changes, 6);
    format.setText("44.100Hz, 8bit Mono, 43k/sec");
    EXPECT_EQ(changes, 6);
}

TEST_F(FormsTest, ScrollBarKeepsValueInRangeAndRaisesChange) {
    forms::ScrollBar bar(*form, "HScroll1", forms::ScrollBar::Orientation::Horizontal);
    bar.move(10, 10, 200, 13);
    std::vector<int> changes;
    bar.Change = [&] { changes.push_back(bar.value()); };

    bar.setMin(28);  // the value 0 moves up into the range
    bar.setMax(972);
    bar.setLargeChange(56);
    EXPECT_EQ(changes, (std::vector<int>{28}));
    bar.setValue(500);
    bar.setValue(500);
    EXPECT_EQ(changes, (std::vector<int>{28, 500}));
    bar.setValue(5000);  // beyond the end: held at the maximum
    EXPECT_EQ(bar.value(), 972);
    bar.setMax(900);  // narrowing moves the value inside
    EXPECT_EQ(bar.value(), 900);
    EXPECT_EQ(changes, (std::vector<int>{28, 500, 972, 900}));
    bar.setMax(950);  // widening leaves it
    EXPECT_EQ(changes.size(), 4u);

    auto* view = static_cast<QScrollBar*>(bar.nativeWidget());
    EXPECT_EQ(view->minimum(), 28);
    EXPECT_EQ(view->maximum(), 950);
    EXPECT_EQ(view->pageStep(), 56);
    EXPECT_EQ(view->value(), 900);
}

TEST_F(FormsTest, ScrollBarUserArrowsPagingAndThumbDrag) {
    forms::ScrollBar bar(*form, "VScroll1", forms::ScrollBar::Orientation::Horizontal);
    bar.move(0, 0, 300, 16);
    bar.setMin(0);
    bar.setMax(100);
    bar.setLargeChange(10);
    bar.setSmallChange(1);
    std::vector<int> changes;
    std::vector<int> scrolls;
    bar.Change = [&] { changes.push_back(bar.value()); };
    bar.Scroll = [&] { scrolls.push_back(bar.value()); };
    auto* view = static_cast<QScrollBar*>(bar.nativeWidget());

    view->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    view->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(changes, (std::vector<int>{1, 11}));

    // Drag the thumb with the mouse: Scroll while dragging, one Change at the end.
    QStyleOptionSlider option;
    option.initFrom(view);
    option.orientation = Qt::Horizontal;
    option.minimum = view->minimum();
    option.maximum = view->maximum();
    option.sliderPosition = view->sliderPosition();
    option.sliderValue = view->value();
    option.pageStep = view->pageStep();
    option.singleStep = view->singleStep();
    const QRect thumb = view->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarSlider, view);
    ASSERT_TRUE(thumb.isValid());
    const QPoint grip = thumb.center();
    formstest::press(view, grip);
    formstest::moveTo(view, grip + QPoint(40, 0), Qt::LeftButton);
    formstest::moveTo(view, grip + QPoint(80, 0), Qt::LeftButton);
    formstest::release(view, grip + QPoint(80, 0));
    EXPECT_EQ(scrolls.size(), 2u);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_GT(changes.back(), 11);
    EXPECT_EQ(changes.back(), scrolls.back());
    EXPECT_EQ(bar.value(), view->value());
}

TEST_F(FormsTest, ScrollBarWithMinAboveMax) {
    forms::ScrollBar bar(*form, "Bar", forms::ScrollBar::Orientation::Vertical);
    bar.setMax(10);
    bar.setMin(20);
    EXPECT_EQ(bar.value(), 10);
    bar.setValue(15);
    EXPECT_EQ(bar.value(), 15);
    bar.setValue(30);
    EXPECT_EQ(bar.value(), 20);
    bar.setValue(0);
    EXPECT_EQ(bar.value(), 10);
}

}  // namespace
