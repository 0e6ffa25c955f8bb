// The full redraw of the score box on the real window (750 x 600, so 56
// columns by 35 rows): one scene that holds every kind of mark, checked by a
// few decisive pixels and by the checksum of the whole picture.

#include <gtest/gtest.h>

#include "support/app/ScoreWindowFixture.h"

namespace {

using testsupport::Black;
using testsupport::Colour;
using testsupport::White;

constexpr Colour Band = 0xE0E0E0, BeatLine = 0xFFCC44;
constexpr Colour BlueOverWhite = 0xFF9B9B, BlueOverBand = 0xEC8888;
constexpr Colour RedOverWhite = 0x9B9BFF, RedOverBlueOverWhite = 0x9B5EC2;

class ScoreDrawingTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override {
        ScoreWindowTest::SetUp();
        showOnlyToolbars({});
        useDistinctTrackColours();
        form().CurrentTrack = 0;
        form().SelStart = -1;
        form().CursorColumn = 900;  // out of view
        moveView(0, 55);            // 6C in the top row, as at start-up
    }
};

// FNV-1a over the picture's pixels, row by row.
std::uint64_t checksum(const std::vector<Colour>& pixels) {
    std::uint64_t hash = 14695981039346656037ull;
    for (Colour pixel : pixels) hash = (hash ^ pixel) * 1099511628211ull;
    return hash;
}

TEST_F(ScoreDrawingTest, TheSceneShowsEveryMarkInItsPlace) {
    auto& w = form();
    placeNote(0, 56, 0, 6);    // begun left of the view: a head at its left edge
    placeNote(0, 58, 50, 70);  // held past the right edge
    for (int track : {3, 5}) placeNote(track, 60, 10, 10);
    for (int track : {5, 0, 3}) placeNote(track, 62, 20, 20);
    placeNote(7, 64, 12, 12);  // on a hidden track
    w.TrackHide(7).setValue(1);
    w.Notes[0][30] = score::HeldOffset + 66;  // a held cell after an empty one
    placeNote(0, 68, 40, 40);
    w.Notes[0][41] = score::HeldOffset + 70;  // lengthens the bar on row 68
    placeNote(1, 54, 3, 8);                   // above the first row shown
    w.SelStart = 25;
    w.SelEnd = 28;
    w.CursorColumn = 27;
    moveView(1, 55);
    w.MusicBox.surface().filledBox(10, 10, 200, 200, 0x00FF00);  // replaced by the redraw
    w.RedrawScore();

    const struct {
        int x, y;
        Colour colour;
        const char* what;
    } probes[] = {
        {0, 5, White, "column 1 has no beat line"},
        {36, 5, BeatLine, "column 4's beat line"},
        {132, 420, BeatLine, "column 12's beat line, to the bottom"},
        {200, 23, White, "above 5A#'s band"},
        {200, 24, Band, "5A#'s band"},
        {200, 35, Band, "5A#'s band"},
        {200, 36, White, "below 5A#'s band"},
        {5, 17, testsupport::ScoreWindowTest::currentColour(0), "head at the left edge"},
        {0, 17, Black, "its rim"},
        {10, 17, Black, "its rim"},
        {40, 15, White, "above the bar"},
        {40, 16, currentColour(0), "the bar's top"},
        {40, 19, currentColour(0), "the bar's bottom"},
        {40, 20, White, "below the bar"},
        {71, 17, currentColour(0), "the bar's end at column 6"},
        {72, 17, White, "past the bar's end"},
        {671, 41, currentColour(0), "a bar cut at the right edge"},
        {672, 41, White, "past the right edge"},
        {119, 65, otherColour(5), "track 5 over track 3"},
        {239, 89, currentColour(0), "the current track over all"},
        {137, 113, Band, "a hidden track's note"},
        {353, 137, currentColour(0), "a held cell after an empty one"},
        {348, 137, Black, "its rim"},
        {491, 161, currentColour(0), "the bar through a held cell of another row"},
        {485, 185, White, "that held cell's own row"},
        {287, 5, White, "left of the selection"},
        {288, 5, BlueOverWhite, "the selection's left edge"},
        {300, 30, BlueOverBand, "the selection over a band"},
        {311, 5, BlueOverWhite, "left of the cursor column"},
        {312, 5, RedOverBlueOverWhite, "the cursor column over the selection"},
        {323, 5, RedOverBlueOverWhite, "the cursor column's right edge"},
        {325, 5, BlueOverWhite, "right of the cursor column"},
        {336, 5, BlueOverWhite, "the selection's right edge"},
        {337, 5, White, "right of the selection"},
        {100, 100, White, "what was drawn before"},
    };
    for (const auto& probe : probes) {
        EXPECT_EQ(pixel(probe.x, probe.y), probe.colour)
            << probe.what << " at " << probe.x << ", " << probe.y;
    }
    EXPECT_EQ(w.SelBandLeft, 288);
    EXPECT_EQ(w.SelBandRight, 336);
    EXPECT_EQ(w.SelBandWidth, 49);
    EXPECT_EQ(w.MusicBox.surface().fillStyle(), surface::FillStyle::Transparent);
    EXPECT_EQ(w.MusicBox.surface().fillColour(), currentColour(0));  // of the last head
    // The picture above, once checked by eye, pixel by pixel; the probes say
    // what a change broke.
    EXPECT_EQ(checksum(snapshot()), 10704747072649799976ull);
    w.TrackHide(7).setValue(0);
}

TEST_F(ScoreDrawingTest, TheSelectionAndCursorTintsStopAtTheView) {
    auto& w = form();
    w.RedrawScore();
    const auto plain = snapshot();
    const struct {
        int selStart, selEnd, cursor, firstColumn;
        int left, right;  // of the band; -1 when none is laid
    } cases[] = {
        {-1, 10, 900, 0, -1, -1},    {60, 70, 900, 0, -1, -1}, {5, 8, 900, 0, 60, 108},
        {90, 300, 900, 100, 0, 672}, {-1, -1, 56, 0, -1, -1},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(testing::Message() << one.selStart << ".." << one.selEnd);
        w.SelStart = static_cast<std::int16_t>(one.selStart);
        w.SelEnd = static_cast<std::int16_t>(one.selEnd);
        w.CursorColumn = static_cast<std::int16_t>(one.cursor);
        w.SelBandLeft = w.SelBandRight = -1;
        moveView(one.firstColumn, 55);
        w.RedrawScore();
        EXPECT_EQ(w.SelBandLeft, one.left);
        EXPECT_EQ(w.SelBandRight, one.right);
        if (one.left < 0 && one.firstColumn == 0) {
            EXPECT_EQ(snapshot(), plain);
        }
    }
    w.CursorColumn = 55;  // the last column in view
    w.RedrawScore();
    EXPECT_EQ(pixel(55 * 12 + 6, 5), RedOverWhite);
}

TEST_F(ScoreDrawingTest, PictureStampLeavesItsKeyColourTransparent) {
    form().RedrawScore();
    const auto plain = snapshot();
    form().Text1.setText("100");
    form().Text2.setText(" 20.4");
    form().Command1.raiseClick();
    const auto& stamp = form().Picture1.surface();
    const Colour key = surface::resolveSystemColour(0x8000000F);
    int copied = 0;
    for (int y = 0; y < stamp.height(); ++y) {
        for (int x = 0; x < stamp.width(); ++x) {
            const Colour source = stamp.pixel(x, y);
            const Colour expected = source == key ? plain[(20 + y) * boxWidth() + 100 + x] : source;
            ASSERT_EQ(pixel(100 + x, 20 + y), expected) << x << ", " << y;
            copied += source != key;
        }
    }
    EXPECT_GT(copied, 0);
    EXPECT_EQ(pixel(99, 27), plain[27 * boxWidth() + 99]);
}

}  // namespace
