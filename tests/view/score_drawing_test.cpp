// The full redraw of the score box, checked pixel by pixel on the real
// MusicBox. The window is 750 x 600, so the view is 56 columns by 35 rows.

#include <gtest/gtest.h>

#include "view/ViewTestFixture.h"

namespace viewtest {
namespace {

constexpr int FirstShownRow = 55;  // 6C at the top, as at start-up

// Whether pitch row r names a sharp: its MIDI note is 127 - r.
bool isSharpPitchRow(int row) {
    switch ((127 - row) % 12) {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10:
            return true;
        default:
            return false;
    }
}

class ScoreDrawingTest : public ScoreViewTest {
protected:
    void SetUp() override {
        ScoreViewTest::SetUp();
        ASSERT_EQ(form().ColumnSpan, 55);
        ASSERT_EQ(form().RowSpan, 34);
        form().CursorColumn = 900;  // out of view unless a test brings it in
        moveView(0, FirstShownRow);
    }

    // The y of the top of the view row showing pitch row r.
    int rowTop(int row) const { return (row - FirstShownRow) * 12; }
};

TEST_F(ScoreDrawingTest, EmptyScoreShowsOnlyBandsAndBeatLines) {
    form().RedrawScore();
    for (int viewRow = 0; viewRow <= 34; ++viewRow) {
        const int top = viewRow * 12;
        const Colour row = isSharpPitchRow(FirstShownRow + viewRow) ? SharpBand : White;
        SCOPED_TRACE(viewRow);
        EXPECT_EQ(pixel(6, top), row);
        EXPECT_EQ(pixel(6, top + 11), row);
        EXPECT_EQ(pixel(boxWidth() - 2, top + 6), row);
        // Every fourth column from column 0 starts with a beat line, over the bands.
        EXPECT_EQ(pixel(0, top + 6), BeatLine);
        EXPECT_EQ(pixel(48, top + 6), BeatLine);
        EXPECT_EQ(pixel(12, top + 6), row);
        EXPECT_EQ(pixel(36, top + 6), row);
    }
    // The band of 5A# (view row 2) is exactly its cell row.
    EXPECT_EQ(pixel(6, 23), White);
    EXPECT_EQ(pixel(6, 24), SharpBand);
    EXPECT_EQ(pixel(6, 35), SharpBand);
    EXPECT_EQ(pixel(6, 36), White);
    // Lines run the whole height; the right edge (column 56) carries one too.
    EXPECT_EQ(pixel(48, boxHeight() - 1), BeatLine);
    EXPECT_EQ(pixel(boxWidth() - 1, 5), BeatLine);
}

TEST_F(ScoreDrawingTest, BeatLinesFollowTheFirstColumn) {
    moveView(1, FirstShownRow);
    form().RedrawScore();
    EXPECT_EQ(pixel(0, 5), White);
    EXPECT_EQ(pixel(36, 5), BeatLine);  // column 4
    EXPECT_EQ(pixel(84, 5), BeatLine);  // column 8
    EXPECT_EQ(pixel(48, 5), White);
}

TEST_F(ScoreDrawingTest, NoteBegunLeftOfTheViewGetsAHeadAtTheLeftEdge) {
    placeNote(0, 56, 10, 20);  // 6B, the current track
    moveView(15, FirstShownRow);
    form().RedrawScore();
    const Colour note = currentColour(0);
    const int y = rowTop(56);
    EXPECT_EQ(pixel(5, y + 5), note);   // head centre at view column 0
    EXPECT_EQ(pixel(0, y + 5), Black);  // its rim
    EXPECT_EQ(pixel(10, y + 5), Black);
    EXPECT_EQ(pixel(5, y), Black);
    for (int x : {11, 12, 40, 71}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(pixel(x, y + 4), note);
        EXPECT_EQ(pixel(x, y + 7), note);
    }
    EXPECT_EQ(pixel(72, y + 5), White);  // the bar ends at 5 * 12 + 11
    EXPECT_EQ(pixel(40, y + 3), White);
    EXPECT_EQ(pixel(40, y + 8), White);
    EXPECT_EQ(pixel(12, y + 2), BeatLine);  // column 16's line shows above and below
    EXPECT_EQ(pixel(12, y + 9), BeatLine);
}

TEST_F(ScoreDrawingTest, NoteHeldPastTheRightEdgeEndsAtTheEdge) {
    placeNote(0, 56, 50, 70);
    form().RedrawScore();
    const int y = rowTop(56);
    EXPECT_EQ(pixel(55 * 12 + 11, y + 5), currentColour(0));
    EXPECT_EQ(pixel(55 * 12 + 12, y + 5), BeatLine);  // x = W - 1, column 56's line
    EXPECT_EQ(pixel(50 * 12 + 5, y + 5), currentColour(0));
}

TEST_F(ScoreDrawingTest, NoteAtTheEndOfTheScoreStopsAtColumn999) {
    placeNote(0, 56, 990, 1000);
    moveView(999 - 55, FirstShownRow);
    form().RedrawScore();
    const int x0 = (990 - 944) * 12;
    const int y = rowTop(56);
    EXPECT_EQ(pixel(x0 + 5, y + 5), currentColour(0));
    EXPECT_EQ(pixel(55 * 12 + 11, y + 5), currentColour(0));
    EXPECT_NE(pixel(55 * 12 + 12, y + 5), currentColour(0));
}

TEST_F(ScoreDrawingTest, OneColumnNote) {
    placeNote(0, 58, 6, 6);  // 5A, view row 3
    form().RedrawScore();
    const int x0 = 72;
    const int y = rowTop(58);
    const Colour note = currentColour(0);
    EXPECT_EQ(pixel(x0 + 5, y + 5), note);
    EXPECT_EQ(pixel(x0, y + 5), Black);
    EXPECT_EQ(pixel(x0 + 10, y + 5), Black);
    EXPECT_EQ(pixel(x0 + 11, y + 4), note);
    EXPECT_EQ(pixel(x0 + 11, y + 7), note);
    EXPECT_EQ(pixel(x0 + 11, y + 3), White);
    EXPECT_EQ(pixel(x0 + 11, y + 8), White);
    EXPECT_EQ(pixel(x0 + 12, y + 5), White);
    EXPECT_EQ(pixel(x0 - 1, y + 5), White);
}

TEST_F(ScoreDrawingTest, HeldCellsLengthenTheBarOnTheRowThatBeganIt) {
    placeNote(0, 56, 2, 2);
    form().Notes[0][3] = score::HeldOffset + 60;
    form().Notes[0][4] = score::HeldOffset + 60;
    // A held cell after an empty one is a note of its own on the row it carries.
    form().Notes[0][10] = score::HeldOffset + 58;
    form().RedrawScore();
    EXPECT_EQ(pixel(4 * 12 + 11, rowTop(56) + 5), currentColour(0));
    EXPECT_EQ(pixel(3 * 12 + 5, rowTop(60) + 5), White);
    EXPECT_EQ(pixel(10 * 12 + 5, rowTop(58) + 5), currentColour(0));
    EXPECT_EQ(pixel(10 * 12 + 10, rowTop(58) + 5), Black);
}

TEST_F(ScoreDrawingTest, LaterTracksCoverEarlierOnesAndTheCurrentTrackCoversAll) {
    for (int track : {0, 3, 5}) placeNote(track, 56, 6, 6);
    const int barX = 6 * 12 + 11;
    const int barY = rowTop(56) + 5;

    form().CurrentTrack = 4;  // no note of its own
    form().RedrawScore();
    EXPECT_EQ(pixel(barX, barY), otherColour(5));

    form().CurrentTrack = 3;
    form().RedrawScore();
    EXPECT_EQ(pixel(barX, barY), currentColour(3));

    form().CurrentTrack = 0;
    form().RedrawScore();
    EXPECT_EQ(pixel(barX, barY), currentColour(0));
}

TEST_F(ScoreDrawingTest, HiddenTracksAreNotDrawn) {
    placeNote(2, 56, 6, 6);
    placeNote(7, 58, 6, 6);
    placeNote(9, 60, 6, 6);
    form().CurrentTrack = 2;
    form().TrackHide(2).setValue(1);
    form().TrackHide(9).setValue(1);
    form().RedrawScore();
    EXPECT_EQ(pixel(6 * 12 + 5, rowTop(56) + 5), White);
    EXPECT_EQ(pixel(6 * 12 + 5, rowTop(58) + 5), otherColour(7));
    EXPECT_EQ(pixel(6 * 12 + 5, rowTop(60) + 5), White);
    form().TrackHide(2).setValue(0);
    form().TrackHide(9).setValue(0);
}

TEST_F(ScoreDrawingTest, NoteAboveTheFirstRowLeavesNoMark) {
    form().RedrawScore();
    const auto empty = snapshot();
    placeNote(0, FirstShownRow - 1, 3, 8);
    form().RedrawScore();
    EXPECT_EQ(snapshot(), empty);
}

TEST_F(ScoreDrawingTest, SelectedColumnsAreTintedBlue) {
    placeNote(0, 56, 6, 6);
    form().RedrawScore();
    const auto plain = snapshot();

    form().SelStart = 5;
    form().SelEnd = 8;
    form().RedrawScore();
    EXPECT_EQ(form().SelBandLeft, 60);
    EXPECT_EQ(form().SelBandRight, 108);
    EXPECT_EQ(form().SelBandWidth, 49);
    const int width = boxWidth();
    for (int y : {0, 5, rowTop(56) + 5, boxHeight() - 1}) {
        for (int x = 55; x <= 115; ++x) {
            const Colour before = plain[y * width + x];
            const Colour expected = x >= 60 && x <= 108 ? tinted(Blue, before) : before;
            ASSERT_EQ(pixel(x, y), expected) << "at " << x << ", " << y;
        }
    }
    EXPECT_EQ(pixel(60, 5), 0xFF9B9Bu);  // blue at 100/255 over white
}

TEST_F(ScoreDrawingTest, SelectionBeyondBothEdgesTintsTheWholeWidth) {
    moveView(100, FirstShownRow);
    form().RedrawScore();
    const auto plain = snapshot();
    form().SelStart = 90;
    form().SelEnd = 300;
    form().RedrawScore();
    EXPECT_EQ(form().SelBandLeft, 0);
    EXPECT_EQ(form().SelBandRight, boxWidth() - 1);
    const int width = boxWidth();
    for (int x : {0, 1, width / 2, width - 2, width - 1}) {
        EXPECT_EQ(pixel(x, 30), tinted(Blue, plain[30 * width + x])) << x;
    }
}

TEST_F(ScoreDrawingTest, NoSelectionWithoutAStart) {
    form().RedrawScore();
    const auto plain = snapshot();
    form().SelStart = -1;
    form().SelEnd = 10;
    form().RedrawScore();
    EXPECT_EQ(snapshot(), plain);
    // A selection wholly right of the view lays no band either.
    form().SelStart = 60;
    form().SelEnd = 70;
    form().RedrawScore();
    EXPECT_EQ(snapshot(), plain);
}

TEST_F(ScoreDrawingTest, CursorColumnIsTintedRedOverTheSelection) {
    form().SelStart = 2;
    form().SelEnd = 4;
    form().RedrawScore();
    const auto selected = snapshot();
    form().CursorColumn = 3;
    form().RedrawScore();
    const int width = boxWidth();
    for (int y : {0, 30, boxHeight() - 1}) {
        for (int x = 34; x <= 50; ++x) {
            const Colour before = selected[y * width + x];
            const Colour expected = x >= 36 && x <= 47 ? tinted(Red, before) : before;
            ASSERT_EQ(pixel(x, y), expected) << "at " << x << ", " << y;
        }
    }
    EXPECT_EQ(pixel(40, 5), tinted(Red, tinted(Blue, White)));
}

TEST_F(ScoreDrawingTest, CursorColumnOutOfViewIsNotTinted) {
    form().RedrawScore();
    const auto plain = snapshot();
    form().CursorColumn = form().LastVisibleColumn + 1;
    form().RedrawScore();
    EXPECT_EQ(snapshot(), plain);
    form().CursorColumn = form().LastVisibleColumn;
    form().RedrawScore();
    EXPECT_EQ(pixel(55 * 12 + 6, 5), tinted(Red, White));
}

TEST_F(ScoreDrawingTest, RedrawLeavesTransparentFillAndTheLastHeadColour) {
    auto& box = form().MusicBox.surface();
    box.setFillColour(0x123456);
    form().RedrawScore();
    EXPECT_EQ(box.fillStyle(), surface::FillStyle::Transparent);
    EXPECT_EQ(box.fillColour(), 0x123456u);  // no head drawn

    placeNote(4, 56, 1, 1);
    placeNote(0, 58, 1, 1);
    form().CurrentTrack = 4;
    form().RedrawScore();
    EXPECT_EQ(box.fillStyle(), surface::FillStyle::Transparent);
    EXPECT_EQ(box.fillColour(), currentColour(4));
}

TEST_F(ScoreDrawingTest, RedrawReplacesEverythingDrawnBefore) {
    form().RedrawScore();
    const auto plain = snapshot();
    form().MusicBox.surface().filledBox(10, 10, 200, 200, 0x00FF00);
    form().RedrawScore();
    EXPECT_EQ(snapshot(), plain);
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
    form().RedrawScore();
    EXPECT_EQ(snapshot(), plain);
}

}  // namespace
}  // namespace viewtest
