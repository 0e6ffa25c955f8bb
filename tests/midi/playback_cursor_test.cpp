// The play cursor bar: where it is drawn, and that taking it away leaves the
// picture exactly as the score drawing made it, whatever redrew the score in
// between.

#include "PlaybackFixture.h"

namespace playbacktest {
namespace {

constexpr std::int64_t Step = 125;
constexpr surface::OleColour Bar = 0xC0C0FF;
constexpr int NoBar = -1;

class PlaybackCursor : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        // Notes over the columns the bar crosses, so a wrong strip shows.
        placeNote(0, 60, 0, 3);
        placeNote(1, 58, 2, 6);
        placeNote(3, 62, 5, 5);
        placeNote(4, 61, 9, 9);
        form().FirstRow = 50;
        form().RedrawScore();
    }

    std::vector<surface::OleColour> snapshot() {
        const auto& box = form().MusicBox.surface();
        std::vector<surface::OleColour> pixels;
        for (int y = 0; y < box.height(); ++y) {
            for (int x = 0; x < box.width(); ++x) pixels.push_back(box.pixel(x, y));
        }
        return pixels;
    }

    // The box shows `picture` with, at view column barColumn, the bar.
    void expectPictureWithBar(const std::vector<surface::OleColour>& picture, int barColumn,
                              const std::string& when) {
        const auto& box = form().MusicBox.surface();
        ASSERT_EQ(picture.size(), static_cast<std::size_t>(box.width() * box.height()));
        int wrong = 0;
        std::string first;
        for (int y = 0; y < box.height(); ++y) {
            for (int x = 0; x < box.width(); ++x) {
                const bool onBar =
                    barColumn != NoBar && x >= barColumn * 12 && x < barColumn * 12 + 4;
                const auto expected = onBar ? Bar : picture[y * box.width() + x];
                if (box.pixel(x, y) != expected) {
                    if (wrong++ == 0) first = std::to_string(x) + "," + std::to_string(y);
                }
            }
        }
        EXPECT_EQ(wrong, 0) << when << ": first wrong pixel at " << first;
    }
};

TEST_F(PlaybackCursor, TheBarFollowsThePlayingColumnOverTheCleanPicture) {
    auto& w = form();
    w.chkgraphics.setValue(1);
    std::vector<surface::OleColour> clean;
    at(10, [&] { clean = snapshot(); });
    for (int column = 0; column <= 9; ++column) {
        at((column + 1) * Step + 10, [&, column] {
            EXPECT_EQ(w.PlayCursorColumn, column);
            expectPictureWithBar(clean, column, "after column " + std::to_string(column));
        });
    }
    play();
    // The end redraws the score without the bar.
    expectPictureWithBar(clean, NoBar, "after the end");
}

TEST_F(PlaybackCursor, ARedrawDuringPlaybackIsNotUndoneByTheNextStep) {
    auto& w = form();
    w.chkgraphics.setValue(1);
    std::vector<surface::OleColour> redrawn;
    // A change of the score under the bar (a transpose, a hidden track)
    // redraws it between two steps.
    at(2 * Step + 30, [&] {
        placeNote(2, 55, 0, 9);
        w.RedrawScore();
        redrawn = snapshot();
    });
    at(3 * Step + 10, [&] { expectPictureWithBar(redrawn, 2, "the step after the redraw"); });
    at(4 * Step + 10, [&] { expectPictureWithBar(redrawn, 3, "the step after that"); });
    play();
}

TEST_F(PlaybackCursor, AScrollDuringPlaybackLeavesTheNewPictureAlone) {
    auto& w = form();
    w.chkgraphics.setValue(1);
    std::vector<surface::OleColour> scrolled;
    at(2 * Step + 30, [&] {
        w.HScroll1.setValue(w.HScroll1.value() + 4);  // the user scrolls right
        scrolled = snapshot();
    });
    // Column 2 lies left of the view now: no bar, and the view stays.
    at(3 * Step + 10, [&] {
        EXPECT_EQ(w.FirstColumn, 4);
        expectPictureWithBar(scrolled, NoBar, "column 2 left of the view");
    });
    at(5 * Step + 10, [&] { expectPictureWithBar(scrolled, 0, "column 4 at the left edge"); });
    at(6 * Step + 10, [&] { expectPictureWithBar(scrolled, 1, "column 5"); });
    play();
}

TEST_F(PlaybackCursor, UntickingThePositionTakesTheBarAwayAtTheNextStep) {
    auto& w = form();
    w.chkgraphics.setValue(1);
    std::vector<surface::OleColour> clean;
    at(10, [&] { clean = snapshot(); });
    at(3 * Step + 30, [&] { w.chkgraphics.setValue(0); });
    at(4 * Step + 10, [&] { expectPictureWithBar(clean, NoBar, "the step after unticking"); });
    at(6 * Step + 10, [&] { expectPictureWithBar(clean, NoBar, "two steps later"); });
    play();
}

TEST_F(PlaybackCursor, WithoutThePositionNothingIsDrawnOrPutBack) {
    std::vector<surface::OleColour> clean;
    at(10, [&] { clean = snapshot(); });
    for (int step = 1; step <= 9; ++step) {
        at(step * Step + 10,
           [&, step] { expectPictureWithBar(clean, NoBar, "step " + std::to_string(step)); });
    }
    play();
}

TEST_F(PlaybackCursor, PlaybackBringsAStartOutsideTheViewIntoIt) {
    auto& w = form();
    w.CursorColumn = 300;
    play();
    EXPECT_EQ(w.FirstColumn, 300);
    EXPECT_EQ(w.LastVisibleColumn, 300 + w.ColumnSpan);
    EXPECT_EQ(w.HScroll1.value(), w.HalfColumns + 300);
    EXPECT_EQ(w.PlayColumn, 301);
}

}  // namespace
}  // namespace playbacktest
