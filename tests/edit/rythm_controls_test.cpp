// The rhythm tools' numbers on the real window: Beats never above Repeat as
// the user types, and the two slider strips under real mouse presses and
// drags (the strips report X in twips, 15 to the pixel).

#include <QMouseEvent>
#include <QPointF>
#include <string>

#include "edit/RythmWindowFixture.h"

namespace rythmtest {
namespace {

constexpr double TwipsPerPixel = 15.0;

class RythmControlsTest : public RythmWindowTest {
protected:
    // A point of the strip by its X in twips, on the strip's middle line.
    static QPointF atTwips(forms::Label& strip, double x) {
        return {x / TwipsPerPixel, strip.height() / 2.0};
    }
    void send(forms::Label& strip, QEvent::Type type, double x, Qt::MouseButton button,
              Qt::MouseButtons held) {
        QWidget* widget = strip.nativeWidget();
        const QPointF at = atTwips(strip, x);
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    void press(forms::Label& strip, double x, Qt::MouseButton button = Qt::LeftButton) {
        send(strip, QEvent::MouseButtonPress, x, button, button);
    }
    void move(forms::Label& strip, double x, Qt::MouseButtons held) {
        send(strip, QEvent::MouseMove, x, Qt::NoButton, held);
    }
    void release(forms::Label& strip, double x, Qt::MouseButton button = Qt::LeftButton) {
        send(strip, QEvent::MouseButtonRelease, x, button, Qt::NoButton);
    }
};

TEST_F(RythmControlsTest, TypingBeatsAboveRepeatTakesRepeatAndTypingRepeatBelowBeatsPullsItDown) {
    auto& window = form();
    ASSERT_EQ(window.Text4.text(), "8");
    typeInto(window.Text5, "12");
    EXPECT_EQ(window.Text5.text(), "8");

    typeInto(window.Text5, "6");
    EXPECT_EQ(window.Text5.text(), "6") << "Beats below Repeat is kept";

    window.Text5.setText("8");
    typeInto(window.Text4, "4");
    EXPECT_EQ(window.Text4.text(), "4");
    EXPECT_EQ(window.Text5.text(), "4");

    // Every keystroke is a change: raising Repeat from 4 to 16 passes through
    // "1", and Beats follows it there.
    typeInto(window.Text4, "16");
    EXPECT_EQ(window.Text4.text(), "16");
    EXPECT_EQ(window.Text5.text(), "1");
}

TEST_F(RythmControlsTest, TextThatIsNoNumberReadsAsZeroAndNeverLoops) {
    auto& window = form();
    window.Text4.setText(" 9.5 columns");
    EXPECT_EQ(window.Text5.text(), "8");
    window.Text5.setText("  10x");
    EXPECT_EQ(window.Text5.text(), "  10x") << "9.5 rounds to 10, so 10 is not above it";
    window.Text5.setText("11");
    EXPECT_EQ(window.Text5.text(), " 9.5 columns");
    window.Text4.setText("none");
    EXPECT_EQ(window.Text5.text(), "none") << "no number reads as 0";
    window.Text4.setText("99999999999999999999");
    window.Text5.setText("1e30");
    EXPECT_EQ(window.Text5.text(), "1e30") << "both beyond 16 bits: held at the same end";
    window.Text4.setText("-1e30");
    EXPECT_EQ(window.Text5.text(), "-1e30");
}

TEST_F(RythmControlsTest, PressingAndDraggingTheBeatsStripSetsBeatsAndItsToolTip) {
    auto& window = form();
    window.Text4.setText("40");
    press(window.Label5, 400);
    EXPECT_EQ(window.Text5.text(), "8");
    move(window.Label5, 400, Qt::LeftButton);
    EXPECT_EQ(window.Label5.toolTipText(), "Beats = 8");

    // 2.5 and 4.5 round to the even neighbour, 7.5 too.
    move(window.Label5, 125, Qt::LeftButton);
    EXPECT_EQ(window.Text5.text(), "2");
    move(window.Label5, 225, Qt::LeftButton);
    EXPECT_EQ(window.Text5.text(), "4");
    move(window.Label5, 375, Qt::LeftButton);
    EXPECT_EQ(window.Text5.text(), "8");
    release(window.Label5, 375);

    // Moves without the left button alone only name the value under the pointer.
    move(window.Label5, 1000, Qt::NoButton);
    EXPECT_EQ(window.Text5.text(), "8");
    EXPECT_EQ(window.Label5.toolTipText(), "Beats = 20");
    move(window.Label5, 1500, Qt::RightButton);
    move(window.Label5, 1500, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window.Text5.text(), "8");
    EXPECT_EQ(window.Label5.toolTipText(), "Beats = 30");

    // A press with any button sets the value.
    press(window.Label5, 600, Qt::RightButton);
    EXPECT_EQ(window.Text5.text(), "12");
}

TEST_F(RythmControlsTest, TheRepeatStripSetsRepeatAndPullsBeatsDownWithIt) {
    auto& window = form();
    ASSERT_EQ(window.Text5.text(), "8");
    press(window.Label7, 300);
    EXPECT_EQ(window.Text4.text(), "6");
    EXPECT_EQ(window.Text5.text(), "6");
    move(window.Label7, 900, Qt::LeftButton);
    EXPECT_EQ(window.Text4.text(), "18");
    EXPECT_EQ(window.Label7.toolTipText(), "Repeat every 18");
    EXPECT_EQ(window.Text5.text(), "6");

    // The Beats strip cannot go past Repeat either.
    press(window.Label5, 1200);
    EXPECT_EQ(window.Text5.text(), "18");
}

TEST_F(RythmControlsTest, DraggingPastTheStripsEndsKeepsTheEndValues) {
    auto& window = form();
    const int stripEnd = window.Label7.width() * 15 / 50;  // 172 pixels: 51.6, shown as 52
    press(window.Label7, 600);
    move(window.Label7, -800, Qt::LeftButton);
    EXPECT_EQ(window.Text4.text(), "0");
    EXPECT_EQ(window.Text5.text(), "0");
    move(window.Label7, 90000, Qt::LeftButton);
    EXPECT_GE(std::stoi(window.Text4.text()), stripEnd);
    EXPECT_LE(std::stoi(window.Text4.text()), stripEnd + 1);
    release(window.Label7, 90000);
    EXPECT_EQ(window.Label7.toolTipText(), "Repeat every " + window.Text4.text());
}

TEST_F(RythmControlsTest, NumbersFromTheStripsDriveCreateRythm) {
    auto& window = form();
    window.CursorColumn = 0;
    placeRythmPattern(4);
    press(window.Label7, 250);  // Repeat 5
    release(window.Label7, 250);
    press(window.Label5, 200);  // Beats 4
    release(window.Label5, 200);
    typeInto(window.Text3, "20");
    ASSERT_EQ(window.Text4.text(), "5");
    ASSERT_EQ(window.Text5.text(), "4");

    click(window.Command7);

    // Copies of columns 0..4 at 0, 5, 10, 15, 20.
    for (int column = 0; column <= 24; ++column) {
        ASSERT_EQ(window.Notes[11][column], patternRow(11, column % 5)) << "column " << column;
    }
    EXPECT_EQ(window.Notes[11][25], score::EmptyCell);
}

}  // namespace
}  // namespace rythmtest
