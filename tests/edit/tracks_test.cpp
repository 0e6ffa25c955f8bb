// Track selection and hiding on the real window, with real clicks on the
// select buttons and hide boxes of the Composing and Rythm toolbars.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "edit/EditWindowFixture.h"

namespace edittest {
namespace {

QPoint centreOf(const forms::Control& control) {
    return {control.nativeWidget()->width() / 2, control.nativeWidget()->height() / 2};
}

// How many pixels inside a hide box's bevel the marker darkens. The current
// track's box is disabled, so its padlock shows greyed; without a picture the
// inside is plain.
int markerPixels(const forms::Control& control) {
    const QImage image = control.nativeWidget()->grab().toImage();
    int found = 0;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            if (QColor(image.pixel(x, y)).lightness() < 200) ++found;
        }
    }
    return found;
}

class TracksTest : public EditWindowTest {
protected:
    void clickSelect(int track) {
        clickOn(form().TrackSel(track).nativeWidget(), centreOf(form().TrackSel(track)));
    }
    void clickHide(int track) {
        clickOn(form().TrackHide(track).nativeWidget(), centreOf(form().TrackHide(track)));
    }
    int selectedButtons() {
        int selected = 0;
        for (const auto& [track, button] : form().TrackSel) selected += button->value() ? 1 : 0;
        return selected;
    }
};

TEST_F(TracksTest, SelectingTrackFiveMakesItCurrentLocksItsBoxAndAppliesTheInstrumentBox) {
    auto& window = form();
    placeNote(5, 58, 3, 6, 0);
    placeNote(0, 58, 3, 6, 0);
    window.Instxt.setText("24");
    clickSelect(5);
    EXPECT_EQ(window.CurrentTrack, 5);
    EXPECT_EQ(window.NoteChannel, 5);
    EXPECT_EQ(window.CurrentTrackColour, currentColour(5));
    for (int track = 0; track < score::TrackCount; ++track) {
        EXPECT_EQ(window.TrackHide(track).enabled(), track != 5) << track;
    }
    EXPECT_EQ(window.TrackInstrument[5], 24);
    // Track 5 is now drawn last, on top, in its selected colour.
    EXPECT_EQ(pixel(60, 41), currentColour(5));
    const auto messages = mapper().messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0xB5, 0x00, 0x00},
                                          {0xB5, 0x20, 0x00},
                                          {0xC5, 0x18, 0x00},
                                          {0x95, 0x3C, 0x7F},
                                          {0x85, 0x3C, 0x00}}));
    EXPECT_GE(messages[4].tick - messages[3].tick, 250);
    // New notes go to track 5.
    pressCell(10, 3);
    releaseCell(11, 3);
    EXPECT_EQ(window.Notes[5][10], 58);
    EXPECT_EQ(window.Instruments[5][10], 24);
}

TEST_F(TracksTest, HidingTrackThreeTakesItOutOfThePictureAndLocksItsButton) {
    auto& window = form();
    placeNote(3, 58, 3, 6, 0);
    window.RedrawScore();
    ASSERT_EQ(pixel(60, 41), otherColour(3));

    clickHide(3);
    EXPECT_EQ(window.TrackHide(3).value(), 1);
    EXPECT_TRUE(window.isTrackHidden(3));
    EXPECT_FALSE(window.TrackSel(3).enabled());
    EXPECT_EQ(window.TrackHide(3).backColor(), 0x000000u);
    EXPECT_EQ(pixel(60, 41), White);
    // A hidden track's button takes no clicks.
    clickSelect(3);
    EXPECT_EQ(window.CurrentTrack, 0);
    EXPECT_EQ(window.Notes[3][3], 58) << "hiding changes no notes";

    clickHide(3);
    EXPECT_EQ(window.TrackHide(3).value(), 0);
    EXPECT_TRUE(window.TrackSel(3).enabled());
    EXPECT_EQ(window.TrackHide(3).backColor(), 0xFFFFFFu);
    EXPECT_EQ(pixel(60, 41), otherColour(3));
}

TEST_F(TracksTest, OneButtonStaysSelectedOverBothGroupsWithTheMarkerOnItsBox) {
    auto& window = form();
    ASSERT_FALSE(window.Image29.picture().isEmpty());
    ASSERT_EQ(markerPixels(window.TrackHide(9)), 0);

    clickSelect(9);  // a rhythm track
    EXPECT_TRUE(window.TrackSel(9).value());
    EXPECT_FALSE(window.TrackSel(0).value());
    EXPECT_EQ(selectedButtons(), 1);
    EXPECT_EQ(window.CurrentTrack, 9);
    EXPECT_GT(markerPixels(window.TrackHide(9)), 0);

    clickSelect(2);  // back to a melody track
    EXPECT_TRUE(window.TrackSel(2).value());
    EXPECT_FALSE(window.TrackSel(9).value());
    EXPECT_EQ(selectedButtons(), 1);
    EXPECT_GT(markerPixels(window.TrackHide(2)), 0);
    EXPECT_EQ(markerPixels(window.TrackHide(9)), 0);

    // A press on the selected button keeps the marker where it is.
    pressOn(window.TrackSel(2).nativeWidget(), centreOf(window.TrackSel(2)));
    EXPECT_GT(markerPixels(window.TrackHide(2)), 0);
    releaseOn(window.TrackSel(2).nativeWidget(), centreOf(window.TrackSel(2)));

    // Ticking a box removes the marker (it is gone once the box is shown
    // again); a selection from code keeps one button over both groups too.
    window.Command4_Click();  // Erase all unlocks every box
    clickHide(2);
    window.TrackHide(2).setValue(0);
    EXPECT_EQ(markerPixels(window.TrackHide(2)), 0);
    clickSelect(11);
    window.TrackSel(0).setValue(true);
    EXPECT_EQ(selectedButtons(), 1);
    EXPECT_EQ(window.CurrentTrack, 0);
}

TEST_F(TracksTest, PressReleasedOutsideTheButtonChangesNothing) {
    auto& window = form();
    QWidget* button = window.TrackSel(10).nativeWidget();
    pressOn(button, centreOf(window.TrackSel(10)));
    releaseOn(button, {button->width() + 40, button->height() + 40});
    EXPECT_EQ(window.CurrentTrack, 0);
    EXPECT_TRUE(window.TrackSel(0).value());
    EXPECT_FALSE(window.TrackSel(10).value());
    EXPECT_TRUE(sent().empty());
}

}  // namespace
}  // namespace edittest
