// Scrolling, the note-name side bar, the column ruler and "Return to Start".

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <sstream>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "view/ViewTestFixture.h"

namespace viewtest {
namespace {

struct Mark {
    std::string caption;
    int left;
    bool operator==(const Mark&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Mark& mark) {
    return out << mark.caption << "@" << mark.left;
}

class ScrollingTest : public ScoreViewTest {
protected:
    // The shown ruler marks in TopBar index order (0..13, then 19 on).
    std::vector<Mark> shownMarks() {
        std::vector<Mark> marks;
        for (const auto& [index, label] : form().TopBar) {
            if (index >= 15 && index <= 18) continue;
            if (label->visible()) marks.push_back({label->caption(), label->left()});
        }
        return marks;
    }

    std::vector<std::string> sideBarLines() {
        std::vector<std::string> lines;
        const std::string text = form().SideBar.caption();
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "every line ends with a line break";
            if (end == std::string::npos) break;
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    // How much one full redraw of the current picture moves the box's
    // revision count, so a handler's redraws can be counted.
    std::uint64_t revisionsPerRedraw() {
        const auto before = boxRevision();
        form().RedrawScore();
        return boxRevision() - before;
    }
};

TEST_F(ScrollingTest, RulerAtTheStartMarksEveryFourthColumnFromOne) {
    auto& w = form();
    w.HScroll1.setValue(w.HScroll1.min());
    EXPECT_EQ(w.FirstColumn, 0);
    const auto marks = shownMarks();
    ASSERT_EQ(marks.size(), 14u);  // 56 columns
    EXPECT_EQ(marks[0], (Mark{"1", 50}));
    EXPECT_EQ(marks[1], (Mark{"5", 98}));
    EXPECT_EQ(marks[2], (Mark{"9", 146}));
    EXPECT_EQ(marks[13], (Mark{"53", 52 * 12 + 50}));
    EXPECT_EQ(w.RulerOffset, 50);
    for (int index = 1; index <= 13; ++index) EXPECT_EQ(w.TopBar(index).top(), w.TopBar(0).top());
}

TEST_F(ScrollingTest, RulerBandIsFilledBehindTheNumbersDownToTheScoreBox) {
    auto& w = form();
    const QImage area = w.Picmain.nativeWidget()->grab().toImage();
    const QColor band(0xCC, 0xD8, 0xE6);
    // Beside each number, in the last column of its beat, from the band's top
    // edge down to the score box: band colour, no edge line anywhere.
    for (int beat = 0; beat * 4 <= w.ColumnSpan; ++beat) {
        const int x = w.MusicBox.left() + (beat * 4 + 3) * 12 + 6;
        for (int y = w.Shape2.top(); y < w.MusicBox.top(); ++y) {
            ASSERT_EQ(QColor(area.pixel(x, y)), band) << "beat " << beat << " y " << y;
        }
    }
    EXPECT_LE(w.Shape2.top(), w.TopBar(0).top());
    EXPECT_LE(w.Shape2.left(), w.Label10.left());
}

TEST_F(ScrollingTest, FortyColumnsFromColumnOneShowTenMarks) {
    auto& w = form();
    w.ColumnSpan = 39;
    w.FirstColumn = 1;
    w.FillTopBar();
    const auto marks = shownMarks();
    ASSERT_EQ(marks.size(), 10u);
    EXPECT_EQ(marks.front(), (Mark{"5", 86}));
    EXPECT_EQ(marks.back(), (Mark{"41", 518}));
    for (int index = 10; index <= 13; ++index) EXPECT_FALSE(w.TopBar(index).visible()) << index;
}

TEST_F(ScrollingTest, SpareTopBarLabelsAreNeverTouched) {
    auto& w = form();
    std::vector<std::tuple<int, int, bool, std::string>> spares;
    for (int index = 15; index <= 18; ++index) {
        auto& label = w.TopBar(index);
        spares.emplace_back(label.left(), label.top(), label.visible(), label.caption());
    }
    w.setClientSize(1920, 700);
    forms::doEvents();
    w.HScroll1.setValue(w.HScroll1.min() + 3);
    EXPECT_FALSE(w.TopBar.has(14));
    for (int index = 15; index <= 18; ++index) {
        auto& label = w.TopBar(index);
        EXPECT_EQ(std::make_tuple(label.left(), label.top(), label.visible(), label.caption()),
                  spares[index - 15])
            << index;
    }
}

TEST_F(ScrollingTest, WideViewsGrowTheRulerAndNarrowOnesHideTheExtraMarks) {
    auto& w = form();
    w.setClientSize(1920, 700);
    forms::doEvents();
    ASSERT_EQ(w.ColumnSpan, 153);
    auto marks = shownMarks();
    ASSERT_EQ(marks.size(), 39u);
    for (std::size_t k = 0; k < marks.size(); ++k) {
        EXPECT_EQ(marks[k], (Mark{std::to_string(4 * k + 1), static_cast<int>(48 * k + 50)}));
    }
    EXPECT_EQ(w.TopBar(43).caption(), "153");  // mark 38 lives in TopBar(38 + 5)

    w.setClientSize(750, 700);
    forms::doEvents();
    marks = shownMarks();
    EXPECT_EQ(marks.size(), 14u);
    EXPECT_FALSE(w.TopBar(19).visible());
}

TEST_F(ScrollingTest, FiftyFourColumnsShowFourteenThenThirteenMarks) {
    auto& w = form();
    w.setClientSize(718, 600);
    forms::doEvents();
    ASSERT_EQ(w.ColumnSpan, 53);
    w.HScroll1.setValue(w.HScroll1.min());
    EXPECT_EQ(shownMarks().size(), 14u);
    EXPECT_TRUE(w.TopBar(13).visible());
    w.HScroll1.setValue(w.HScroll1.min() + 1);
    EXPECT_EQ(w.FirstColumn, 1);
    EXPECT_EQ(shownMarks().size(), 13u);
    EXPECT_FALSE(w.TopBar(13).visible());
}

TEST_F(ScrollingTest, HorizontalScrollMovesTheViewRulerAndPicture) {
    auto& w = form();
    placeNote(0, 60, 104, 104);
    w.ViewRedrawn = false;
    const auto before = boxRevision();
    w.HScroll1.setValue(w.HalfColumns + 100);
    EXPECT_EQ(w.FirstColumn, 100);
    EXPECT_EQ(w.LastVisibleColumn, 155);
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_NE(boxRevision(), before);
    EXPECT_EQ(shownMarks().front(), (Mark{"101", 50}));
    EXPECT_EQ(pixel(4 * 12 + 5, (60 - w.FirstRow) * 12 + 5), currentColour(0));
}

TEST_F(ScrollingTest, DraggingTheThumbMovesTheView) {
    auto& w = form();
    w.HScroll1.userMoved(w.HalfColumns + 40, true);
    EXPECT_EQ(w.FirstColumn, 40);
    EXPECT_EQ(shownMarks().front(), (Mark{"41", 50}));
    w.VScroll1.userMoved(w.HalfRows + 20, true);
    EXPECT_EQ(w.FirstRow, 20);
    EXPECT_EQ(sideBarLines().front(), "8B");  // row 20 is MIDI note 107
}

TEST_F(ScrollingTest, ScrollByCodeSkipsOnlyTheRedraw) {
    auto& w = form();
    w.ViewRedrawn = false;
    w.ScrollByCode = true;
    const auto before = boxRevision();
    w.HScroll1.setValue(w.HalfColumns + 8);
    w.ScrollByCode = false;
    EXPECT_EQ(w.FirstColumn, 8);
    EXPECT_EQ(w.LastVisibleColumn, 8 + w.ColumnSpan);
    EXPECT_EQ(shownMarks().front(), (Mark{"9", 50}));
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_EQ(boxRevision(), before);
}

TEST_F(ScrollingTest, BarsDoNothingWhileTheLayoutRuns) {
    auto& w = form();
    w.Resizing = true;
    const auto before = boxRevision();
    w.HScroll1.setValue(w.HalfColumns + 30);
    w.VScroll1.setValue(w.HalfRows + 3);
    EXPECT_EQ(w.FirstColumn, 0);
    EXPECT_EQ(w.FirstRow, 55);
    EXPECT_EQ(shownMarks().front(), (Mark{"1", 50}));
    EXPECT_EQ(boxRevision(), before);
    w.Resizing = false;
}

TEST_F(ScrollingTest, SideBarNamesTheVisibleRowsAndMarksTheSharps) {
    auto& w = form();
    w.RowSpan = 12;
    w.FirstRow = 55;
    w.FillSideBar();
    const std::vector<std::string> expected = {"6C", "5B", "5A#", "5A", "5G#", "5G", "5F#",
                                               "5F", "5E", "5D#", "5D", "5C#", "5C"};
    EXPECT_EQ(sideBarLines(), expected);
    for (int viewRow = 0; viewRow <= 12; ++viewRow) {
        const bool sharp =
            viewRow == 2 || viewRow == 4 || viewRow == 6 || viewRow == 9 || viewRow == 11;
        EXPECT_EQ(w.IsSharpRow[viewRow], sharp) << viewRow;
    }
}

TEST_F(ScrollingTest, VerticalScrollRefillsTheSideBarAndRedraws) {
    auto& w = form();
    w.ViewRedrawn = false;
    const auto before = boxRevision();
    w.VScroll1.setValue(w.HalfRows + 30);
    EXPECT_EQ(w.FirstRow, 30);
    EXPECT_EQ(w.LastVisibleRow, 30 + w.RowSpan);
    const auto lines = sideBarLines();
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[0], "8C#");  // MIDI note 97
    EXPECT_EQ(lines[1], "8C");
    EXPECT_EQ(lines[2], "7B");
    EXPECT_EQ(lines[34], "5D#");  // row 64, MIDI note 63
    EXPECT_TRUE(w.IsSharpRow[0]);
    EXPECT_FALSE(w.IsSharpRow[1]);
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_NE(boxRevision(), before);
    EXPECT_EQ(pixel(18, 6), SharpBand);  // column 1, clear of the cursor's tint
    EXPECT_EQ(pixel(18, 1 * 12 + 6), White);
}

TEST_F(ScrollingTest, ReturnToStartFromTheStartRedrawsOnce) {
    auto& w = form();
    w.CursorColumn = 30;
    w.HScroll1.setValue(w.HScroll1.min());
    const auto before = boxRevision();
    w.RewindBut.raiseClick();
    const auto used = boxRevision() - before;
    EXPECT_EQ(w.CursorColumn, 0);
    EXPECT_EQ(w.FirstColumn, 0);
    EXPECT_EQ(w.LastVisibleColumn, w.ColumnSpan);
    EXPECT_EQ(used, revisionsPerRedraw());
    EXPECT_EQ(pixel(6, 6), tinted(Red, White));  // the cursor at column 0
}

TEST_F(ScrollingTest, ReturnToStartFromElsewhereRedrawsTwiceAndRelaysTheRuler) {
    auto& w = form();
    w.CursorColumn = 300;
    w.HScroll1.setValue(w.HalfColumns + 250);
    ASSERT_EQ(shownMarks().front(), (Mark{"253", 74}));
    w.ViewRedrawn = false;
    const auto before = boxRevision();
    w.RewindBut.raiseClick();
    const auto used = boxRevision() - before;
    EXPECT_EQ(w.FirstColumn, 0);
    EXPECT_EQ(w.CursorColumn, 0);
    EXPECT_EQ(w.HScroll1.value(), w.HalfColumns);
    EXPECT_EQ(shownMarks().front(), (Mark{"1", 50}));
    EXPECT_TRUE(w.ViewRedrawn);
    EXPECT_EQ(used, 2 * revisionsPerRedraw());
}

}  // namespace
}  // namespace viewtest
