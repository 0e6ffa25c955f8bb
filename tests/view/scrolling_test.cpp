// Scrolling, the note-name side bar, the column ruler and "Return to Start".

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <string>
#include <vector>

#include "support/app/ScoreWindowFixture.h"

namespace {

class ScrollingTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override {
        ScoreWindowTest::SetUp();
        showOnlyToolbars({});
    }
    // The shown ruler marks as caption@left, in TopBar order (0..13, then 19 on).
    std::vector<std::string> shownMarks() {
        std::vector<std::string> marks;
        for (const auto& [index, label] : form().TopBar) {
            if (label->visible() && (index < 15 || index > 18))
                marks.push_back(label->caption() + "@" + std::to_string(label->left()));
        }
        return marks;
    }
    // How much one full redraw moves the score box's revision count.
    std::uint64_t revisionsPerRedraw() {
        const auto before = boxRevision();
        form().RedrawScore();
        return boxRevision() - before;
    }
};

TEST_F(ScrollingTest, TheRulerMarksEveryFourthColumnFromOne) {
    const struct {
        int columns, firstColumn;
        std::size_t marks;
        std::string first, last;
    } cases[] = {
        {154, 0, 39, "1@50", "153@1874"},  // more marks than the 14 designed labels
        {56, 0, 14, "1@50", "53@674"},    {40, 1, 10, "5@86", "41@518"},
        {54, 0, 14, "1@50", "53@674"},    {54, 1, 13, "5@86", "53@662"},
    };
    auto& w = form();
    const auto spare = w.TopBar(15).caption() + std::to_string(w.TopBar(15).left());
    for (const auto& one : cases) {
        SCOPED_TRACE(testing::Message() << one.columns << " columns from " << one.firstColumn);
        w.ColumnSpan = static_cast<std::int16_t>(one.columns - 1);
        w.FirstColumn = static_cast<std::int16_t>(one.firstColumn);
        w.FillTopBar();
        const auto marks = shownMarks();
        ASSERT_EQ(marks.size(), one.marks);
        EXPECT_EQ(marks.front(), one.first);
        EXPECT_EQ(marks.back(), one.last);
        for (std::size_t k = 1; k < marks.size(); ++k) {
            EXPECT_EQ(w.TopBar(static_cast<int>(k < 14 ? k : k + 5)).top(), w.TopBar(0).top());
        }
    }
    EXPECT_EQ(w.RulerOffset, 50);
    EXPECT_FALSE(w.TopBar.has(14));
    EXPECT_EQ(w.TopBar(15).caption() + std::to_string(w.TopBar(15).left()), spare);
}

TEST_F(ScrollingTest, TheRulerBandIsFilledBehindTheNumbersDownToTheScoreBox) {
    auto& w = form();
    const QImage area = w.Picmain.nativeWidget()->grab().toImage();
    for (int beat : {0, 13}) {  // the last column of the first and the last beat
        const int x = w.MusicBox.left() + (beat * 4 + 3) * 12 + 6;
        for (int y = w.Shape2.top(); y < w.MusicBox.top(); ++y) {
            ASSERT_EQ(QColor(area.pixel(x, y)), QColor(0xCC, 0xD8, 0xE6)) << beat << ", " << y;
        }
    }
}

TEST_F(ScrollingTest, EachBarMovesTheViewRefillsItsLabelsAndRedraws) {
    const struct {
        bool horizontal, byCode, resizing, dragged;
        int offset, first;  // the value set, past the bar's minimum
        std::string label;  // the first ruler mark or side bar line after
        int redraws;
    } cases[] = {
        {true, false, false, false, 100, 100, "101@50", 1},
        {true, false, false, true, 40, 40, "41@50", 1},
        {true, true, false, false, 8, 8, "9@50", 0},  // the caller redraws by itself
        {true, false, true, false, 30, 0, "1@50", 0},
        {false, false, false, false, 30, 30, "8C#", 1},
        {false, false, false, true, 20, 20, "8B", 1},
        {false, true, false, false, 31, 31, "8C", 1},  // no such exception here
        {false, false, true, false, 3, 55, "6C", 0},
    };
    auto& w = form();
    for (const auto& one : cases) {
        SCOPED_TRACE(testing::Message()
                     << (one.horizontal ? "horizontal " : "vertical ") << one.offset);
        w.HScroll1.setValue(w.HScroll1.min());
        w.VScroll1.setValue(w.VScroll1.min() + 55);
        w.ScrollByCode = one.byCode;
        w.Resizing = one.resizing;
        w.ViewRedrawn = false;
        const auto before = boxRevision();
        auto& bar = one.horizontal ? w.HScroll1 : w.VScroll1;
        if (one.dragged) {
            bar.userMoved(bar.min() + one.offset, true);
        } else {
            bar.setValue(bar.min() + one.offset);
        }
        w.ScrollByCode = w.Resizing = false;
        EXPECT_EQ(one.horizontal ? w.FirstColumn : w.FirstRow, one.first);
        EXPECT_EQ(w.LastVisibleColumn, w.FirstColumn + 55);
        EXPECT_EQ(w.LastVisibleRow, w.FirstRow + 34);
        EXPECT_EQ(one.horizontal ? shownMarks().front()
                                 : w.SideBar.caption().substr(0, w.SideBar.caption().find('\r')),
                  one.label);
        EXPECT_EQ(w.ViewRedrawn, !one.resizing);
        const auto used = boxRevision() - before;
        EXPECT_EQ(used, one.redraws * revisionsPerRedraw());
    }
}

TEST_F(ScrollingTest, TheSideBarNamesTheVisibleRowsAndMarksTheSharps) {
    auto& w = form();
    w.RowSpan = 12;
    w.FirstRow = 55;
    w.FillSideBar();
    EXPECT_EQ(
        w.SideBar.caption(),
        "6C\r\n5B\r\n5A#\r\n5A\r\n5G#\r\n5G\r\n5F#\r\n5F\r\n5E\r\n5D#\r\n5D\r\n5C#\r\n5C\r\n");
    std::string sharps;
    for (int viewRow = 0; viewRow <= 12; ++viewRow) sharps += w.IsSharpRow[viewRow] ? '#' : '.';
    EXPECT_EQ(sharps, "..#.#.#..#.#.");
}

TEST_F(ScrollingTest, ReturnToStartRedrawsOnceFromTheStartAndTwiceFromElsewhere) {
    auto& w = form();
    for (const int first : {0, 250}) {
        SCOPED_TRACE(first);
        w.CursorColumn = 300;
        w.HScroll1.setValue(w.HalfColumns + first);
        w.ViewRedrawn = false;
        const auto before = boxRevision();
        w.RewindBut.raiseClick();
        const auto used = boxRevision() - before;
        EXPECT_EQ(used, (first == 0 ? 1 : 2) * revisionsPerRedraw());
        EXPECT_EQ(w.FirstColumn + w.CursorColumn, 0);
        EXPECT_EQ(w.LastVisibleColumn, 55);
        EXPECT_EQ(w.HScroll1.value(), w.HalfColumns);
        EXPECT_EQ(shownMarks().front(), "1@50");
        EXPECT_EQ(pixel(6, 6), 0x9B9BFFu);  // the cursor's tint over white, at column 0
    }
}

}  // namespace
