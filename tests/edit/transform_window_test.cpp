// The transforms on the real window: the transpose buttons clicked with the
// mouse, the two hidden buttons' forwarding, and a transpose clicked while the
// score plays.

#include <QWidget>
#include <map>
#include <utility>

#include "edit/EditWindowFixture.h"
#include "support/app/VirtualClock.h"

namespace {

using namespace edittest;
using score::EmptyCell;

class TransformWindowTest : public EditWindowTest {
protected:
    void click(forms::Control& control) {
        QWidget* widget = control.nativeWidget();
        clickOn(widget, {widget->width() / 2, widget->height() / 2});
    }
};

TEST_F(TransformWindowTest, TransposeButtonsMoveTheSelectedNotesAndKeepTheSelection) {
    auto& w = form();
    placeNote(0, 60, 12, 16, 4);
    placeNote(1, 70, 20, 21, 4);
    w.SelStart = 10;
    w.SelEnd = 14;
    const auto revision = boxRevision();

    click(w.TransposeBut(1));  // up: the row number falls
    EXPECT_EQ(w.Notes[0][12], 59);
    EXPECT_EQ(w.Notes[0][14], 1059);
    EXPECT_EQ(w.Notes[0][15], 60) << "the rest of the note starts afresh after the range";
    EXPECT_EQ(w.Notes[0][16], 1060);
    EXPECT_EQ(w.Notes[1][20], 70);
    EXPECT_EQ(w.Instruments[0][12], 4);
    EXPECT_EQ(w.SelStart, 10);
    EXPECT_EQ(w.SelEnd, 14);
    EXPECT_NE(boxRevision(), revision);

    click(w.TransposeBut(0));  // down again
    EXPECT_EQ(w.Notes[0][12], 60);
    EXPECT_EQ(w.Notes[0][14], 1060);

    // Without a selection the whole score moves, with wrap-around.
    w.SelStart = -1;
    w.SelEnd = -1;
    w.Notes[2][1000] = 127;
    click(w.TransposeBut(0));
    EXPECT_EQ(w.Notes[2][1000], 0);
    EXPECT_EQ(w.Notes[1][20], 71);
    EXPECT_EQ(w.Notes[1][21], 1071);
}

TEST_F(TransformWindowTest, HiddenButtonsFlipAndReverseTheScoreOfTheShownTracks) {
    auto& w = form();
    placeNote(0, 60, 0, 0, 2);
    placeNote(1, 20, 4, 5, 3);
    w.TrackHide(3).setValue(1);
    placeNote(3, 30, 20, 22, 5);
    const auto hiddenTrack = w.Notes[3];

    // The reverse takes the columns up to the last one used on a shown track.
    w.Command12.Click();
    EXPECT_EQ(w.LastUsedColumn, 5);
    EXPECT_EQ(w.Notes[0][0], EmptyCell);
    EXPECT_EQ(w.Notes[0][5], 60);
    EXPECT_EQ(w.Instruments[0][5], 2);
    EXPECT_EQ(w.Notes[1][0], 20);
    EXPECT_EQ(w.Notes[1][1], 1020);
    EXPECT_EQ(w.Notes[1][4], EmptyCell);

    w.Command13.Click();
    EXPECT_EQ(w.Notes[0][5], 67);
    EXPECT_EQ(w.Notes[1][1], 1107);
    EXPECT_EQ(w.Notes[3], hiddenTrack);
}

// Playback keeps running through a transpose clicked between two of its
// steps: the note that was sounding is turned off with the key it went out
// with, and the next note sounds at its new pitch.
TEST_F(TransformWindowTest, TransposeWhilePlayingEndsEveryNoteItStarted) {
    auto& w = form();
    placeNote(0, 60, 0, 5, 0);
    placeNote(0, 60, 6, 7, 0);
    w.CursorColumn = 0;
    testsupport::VirtualClock clock;
    mapper().clear();
    bool clickedWhilePlaying = false;
    clock.at(300, [&] {
        clickedWhilePlaying = w.Playing && w.TransposeBut(1).enabled();
        click(w.TransposeBut(1));
    });
    clock.at(60000, [&] { w.Command24_Click(); });
    w.PlayAndStop_Click(0);
    EXPECT_LT(clock.elapsed(), 60000);
    EXPECT_TRUE(clickedWhilePlaying);
    EXPECT_EQ(w.Notes[0][0], 59);
    EXPECT_EQ(w.Notes[0][6], 59);

    std::vector<Bytes> notes;
    std::map<std::pair<int, int>, int> sounding;
    for (const Bytes& m : sent()) {
        const int kind = m[0] & 0xF0;
        if (kind != 0x80 && kind != 0x90) continue;
        notes.push_back(m);
        sounding[{m[0] & 0x0F, m[1]}] += kind == 0x90 ? 1 : -1;
    }
    for (const auto& [note, count] : sounding) {
        EXPECT_EQ(count, 0) << "channel " << note.first << " key " << note.second;
    }
    const std::vector<Bytes> expected = {
        {0x90, 67, 0x7F}, {0x80, 67, 0}, {0x90, 68, 0x7F}, {0x80, 68, 0}};
    EXPECT_EQ(notes, expected);
}

}  // namespace
