// The play cursor bar: where it is drawn, that taking it away leaves the
// picture exactly as the score drawing made it, whatever redrew the score in
// between, and the view following the playing column.

#include "PlaybackFixture.h"
#include "support/app/FortyColumnView.h"

namespace playbacktest {
namespace {

constexpr testsupport::Colour Bar = 0xC0C0FF;
constexpr int NoBar = -1;

class PlaybackCursor : public PlaybackTest {
protected:
    // The box shows `picture` with the bar over view column barColumn.
    void expectPicture(const std::vector<testsupport::Colour>& picture, int barColumn) {
        const std::vector<testsupport::Colour> shown = snapshot();
        ASSERT_EQ(shown.size(), picture.size());
        int wrong = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const int x = static_cast<int>(i % static_cast<std::size_t>(boxWidth()));
            const bool onBar = barColumn != NoBar && x >= barColumn * 12 && x < barColumn * 12 + 4;
            wrong += shown[i] != (onBar ? Bar : picture[i]);
        }
        EXPECT_EQ(wrong, 0) << "pixels off the picture with the bar at " << barColumn;
    }
};

TEST_F(PlaybackCursor, TheBarIsTakenAwayOverThePictureLastDrawn) {
    auto& w = form();
    struct Scenario {
        const char* name;
        bool position;
        std::function<bool()> change;  // at 280 ms; true when it redrew the score
        std::vector<std::pair<int, int>> barAfterStep;
    };
    const std::vector<Scenario> scenarios = {
        {"the bar follows the playing column", true, {}, {{1, 0}, {2, 1}, {3, 2}, {7, 6}, {10, 9}}},
        {"without the position nothing is drawn", false, {}, {{1, NoBar}, {5, NoBar}}},
        {"a redraw is not undone by the next step",
         true,
         [&] {
             placeNote(2, 55, 0, 9);
             w.RedrawScore();
             return true;
         },
         {{3, 2}, {4, 3}}},
        {"a scroll leaves the new picture alone",
         true,
         [&] {
             w.HScroll1.setValue(w.HScroll1.value() + 4);
             return true;
         },
         {{3, NoBar}, {5, 0}, {6, 1}}},
        {"unticking the position takes the bar away",
         true,
         [&] {
             w.chkgraphics.setValue(0);
             return false;
         },
         {{3, NoBar}, {6, NoBar}}},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        w.ClearScore();
        // Notes over the columns the bar crosses, so a wrong strip shows.
        placeNote(0, 60, 0, 3);
        placeNote(1, 58, 2, 6);
        placeNote(4, 61, 9, 9);
        w.chkgraphics.setValue(s.position ? 1 : 0);
        moveView(0, 50);
        w.RedrawScore();
        std::vector<testsupport::Colour> picture = snapshot();
        if (s.change) at(280, [&] { picture = s.change() ? snapshot() : picture; });
        for (const auto& [step, column] : s.barAfterStep) {
            at(step * 125 + 10, [&, column] { expectPicture(picture, column); });
        }
        play();
        expectPicture(picture, NoBar);
    }
}

TEST_F(PlaybackCursor, ThePositionScrollsAFortyColumnViewToThePlayingColumn) {
    auto& w = form();
    testsupport::showFortyColumns(w);
    placeNote(0, 60, 45, 45);
    w.chkgraphics.setValue(1);
    at(40 * 125 + 5, [&] {  // after the step of column 39, the last visible one
        EXPECT_EQ(w.FirstColumn, 0);
        EXPECT_EQ(pixel(39 * 12 + 3, boxHeight() - 1), Bar);
    });
    at(41 * 125 + 5, [&] {  // after the step of column 40
        EXPECT_EQ(w.FirstColumn, 40);
        EXPECT_EQ(w.LastVisibleColumn, 79);
        EXPECT_EQ(w.HScroll1.value(), 60);
        EXPECT_EQ(w.TopBar(0).caption(), "41");
        EXPECT_EQ(pixel(3, 7), Bar);
        EXPECT_NE(pixel(4, 7), Bar);
        EXPECT_NE(pixel(39 * 12 + 1, 7), Bar);  // the old bar went with the old picture
    });
    play();
}

TEST_F(PlaybackCursor, PlaybackBringsAStartOutsideTheViewIntoIt) {
    auto& w = form();
    w.CursorColumn = 300;
    play();
    EXPECT_EQ(w.FirstColumn, 300);
    EXPECT_EQ(w.LastVisibleColumn, 300 + w.ColumnSpan);
    EXPECT_EQ(w.HScroll1.value(), w.HalfColumns + 300);
}

}  // namespace
}  // namespace playbacktest
