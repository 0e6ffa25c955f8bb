// "Create Rythm" clicked on the real window, and the hidden repeated paste
// behind it: what the rhythm tracks carry afterwards, what stays untouched,
// and where the view, the cursor, the selection and the edit mode end up.

#include <QTimer>
#include <cstdint>
#include <string>

#include "edit/RythmWindowFixture.h"

namespace rythmtest {
namespace {

using score::EmptyCell;
using score::HeldOffset;

class RythmCreateTest : public RythmWindowTest {
protected:
    void SetUp() override {
        RythmWindowTest::SetUp();
        form().CursorColumn = 0;
    }
    void setNumbers(const std::string& beats, const std::string& repeat, const std::string& notes) {
        // The largest Repeat first, so that Beats is not pulled down on the way.
        form().Text4.setText("1e9");
        form().Text5.setText(beats);
        form().Text4.setText(repeat);
        form().Text3.setText(notes);
    }
};

TEST_F(RythmCreateTest, TheDesignPatternFillsColumns0To64AndTheEditorReturnsToTheStart) {
    auto& window = form();
    placeRythmPattern(8);
    placeNote(2, 60, 10, 30, 5);      // a melody note across the reach
    placeNote(9, 70, 100, 104, 140);  // a rhythm note past it
    const score::Grid melodyBefore = window.Notes;
    // The user scrolled away and left a selection in Select Area.
    click(window.FunctionBut(edit::SelectMode));
    window.SelStart = 20;
    window.SelEnd = 30;
    window.HScroll1.setValue(window.HalfColumns + 200);
    ASSERT_EQ(window.FirstColumn, 200);

    click(window.Command7);

    for (int track = FirstRythmTrack; track <= LastRythmTrack; ++track) {
        for (int column = 0; column <= 64; ++column) {
            const int source = column == 64 ? 8 : column % 8;
            SCOPED_TRACE(testing::Message() << "track " << track << " column " << column);
            ASSERT_EQ(window.Notes[track][column], patternRow(track, source));
            ASSERT_EQ(window.Instruments[track][column], patternInstrument(track, source));
        }
        EXPECT_EQ(window.Notes[track][65], EmptyCell) << "track " << track;
    }
    EXPECT_EQ(window.Notes[9][100], 70);
    EXPECT_EQ(window.Notes[9][104], HeldOffset + 70);
    for (int track = 0; track < FirstRythmTrack; ++track) {
        EXPECT_EQ(window.Notes[track], melodyBefore[track]) << "melody track " << track;
    }

    EXPECT_EQ(window.ClipLength, 8);
    EXPECT_EQ(window.ClipNotes[12][8], patternRow(12, 8));
    EXPECT_EQ(window.ClipNotes[2][0], EmptyCell) << "the melody rows of the clipboard are empty";
    EXPECT_EQ(window.SelStart, -1);
    EXPECT_EQ(window.SelEnd, -1);
    EXPECT_EQ(window.CursorColumn, 0);
    EXPECT_EQ(window.FirstColumn, 0);
    EXPECT_EQ(window.HScroll1.value(), window.HalfColumns);
    EXPECT_EQ(window.EditMode, edit::DrawMode);
    EXPECT_TRUE(window.FunctionBut(edit::DrawMode).value());
    EXPECT_EQ(window.MusicBox.mousePointer(), forms::DefaultPointer);

    // The picture shows the copies: the bar of track 10's note in column 17
    // (a copy of column 1), drawn in the track's colour.
    const int y = (patternRow(10, 1) - FirstShownRow) * Cell;
    EXPECT_EQ(pixel(17 * Cell + 11, y + 5), otherColour(10));
}

TEST_F(RythmCreateTest, AHiddenRhythmTrackKeepsAllItsCellsAndLeavesItsClipboardRowEmpty) {
    auto& window = form();
    placeRythmPattern(8);
    placeNote(10, 80, 30, 33, 150);
    clickOn(window.TrackHide(10).nativeWidget(), {5, 5});
    ASSERT_EQ(window.TrackHide(10).value(), 1);
    const score::TrackRow before = window.Notes[10];

    click(window.Command7);

    EXPECT_EQ(window.Notes[10], before);
    for (int column = 0; column <= 8; ++column) {
        EXPECT_EQ(window.ClipNotes[10][column], EmptyCell);
        EXPECT_EQ(window.ClipInstruments[10][column], 0);
    }
    EXPECT_EQ(window.Notes[11][33], patternRow(11, 1)) << "the shown tracks are repeated";
}

TEST_F(RythmCreateTest, HeldCellsAtThePatternsStartAndAfterACopyStartNotes) {
    auto& window = form();
    // Track 9 holds a note through columns 0..2 whose start is gone.
    for (int column = 0; column <= 2; ++column) {
        window.Notes[9][column] = static_cast<std::int16_t>(HeldOffset + 66);
        window.Instruments[9][column] = 136;
    }
    // Track 11 has a note from 62 to 70: the last copy ends at column 64.
    placeNote(11, 75, 62, 70, 141);

    click(window.Command7);

    for (int copy = 0; copy <= 56; copy += 8) {
        SCOPED_TRACE(testing::Message() << "copy at " << copy);
        EXPECT_EQ(window.Notes[9][copy], 66);
        EXPECT_EQ(window.Instruments[9][copy], 136);
        EXPECT_EQ(window.Notes[9][copy + 1], HeldOffset + 66);
        EXPECT_EQ(window.Notes[9][copy + 2], HeldOffset + 66);
        EXPECT_EQ(window.Notes[9][copy + 3], EmptyCell);
    }
    EXPECT_EQ(window.Notes[11][64], EmptyCell);
    EXPECT_EQ(window.Notes[11][65], 75) << "the tail after the last copy is a note of its own";
    EXPECT_EQ(window.Instruments[11][65], 141);
    EXPECT_EQ(window.Notes[11][66], HeldOffset + 75);
}

TEST_F(RythmCreateTest, TheCopiesStartAtTheCursorWhereverItStands) {
    auto& window = form();
    placeRythmPattern(8);
    window.CursorColumn = 900;

    click(window.Command7);

    // 900, 908, ..., 956: the reach is the cursor + 60.
    for (int column = 900; column <= 964; ++column) {
        const int source = column == 964 ? 8 : (column - 900) % 8;
        ASSERT_EQ(window.Notes[12][column], patternRow(12, source)) << "column " << column;
    }
    EXPECT_EQ(window.Notes[12][965], EmptyCell);
    EXPECT_EQ(window.Notes[12][899], EmptyCell);
    EXPECT_EQ(window.Notes[12][9], EmptyCell) << "nothing was pasted at column 0";
    EXPECT_EQ(window.CursorColumn, 0);
}

TEST_F(RythmCreateTest, TheHiddenPasteNearTheEndCutsItsCopiesAtColumn1000) {
    auto& window = form();
    EXPECT_FALSE(window.Command8.visible());
    for (auto& row : window.ClipNotes) row.fill(EmptyCell);
    window.ClipLength = 8;
    for (int column = 0; column <= 8; ++column) {
        window.ClipNotes[8][column] = static_cast<std::int16_t>(20 + column);
        window.ClipInstruments[8][column] = 130;
        window.ClipNotes[1][column] = 50;  // melody rows are never pasted
    }
    click(window.FunctionBut(edit::SelectMode));
    window.CursorColumn = 990;

    window.Command8_Click();

    for (int column = 990; column <= 997; ++column) {
        EXPECT_EQ(window.Notes[8][column], 20 + column - 990);
    }
    EXPECT_EQ(window.Notes[8][998], 20);
    EXPECT_EQ(window.Notes[8][1000], 22);
    EXPECT_EQ(window.Instruments[8][1000], 130);
    EXPECT_EQ(window.Notes[8][989], EmptyCell);
    EXPECT_EQ(window.Notes[1][995], EmptyCell);
    // Copies at 990, 998, ..., 1046; the counter stops on the first beyond.
    EXPECT_EQ(window.CursorColumn, 1054);
    EXPECT_EQ(window.EditMode, edit::SelectMode) << "the paste alone changes no mode";
}

// A step below 1 cannot repeat anything, so the tool leaves everything alone.
TEST_F(RythmCreateTest, ARepeatBelowOneChangesNothing) {
    auto& window = form();
    placeRythmPattern(8);
    window.ClipNotes[9][0] = 33;
    window.ClipLength = 5;
    const score::Grid notes = window.Notes;
    const score::Grid clipNotes = window.ClipNotes;
    for (const std::string repeat : {"0", "-8", "abc"}) {
        SCOPED_TRACE(repeat);
        setNumbers("8", repeat, "60");
        window.CursorColumn = 40;
        window.SelStart = 3;
        window.SelEnd = 5;

        click(window.Command7);

        EXPECT_EQ(window.Notes, notes);
        EXPECT_EQ(window.ClipNotes, clipNotes);
        EXPECT_EQ(window.ClipLength, 5);
        EXPECT_EQ(window.SelStart, 3);
        EXPECT_EQ(window.SelEnd, 5);
        EXPECT_EQ(window.CursorColumn, 40);
    }
}

TEST_F(RythmCreateTest, NumbersBeyondTheScoreAreKeptWithinIt) {
    auto& window = form();
    placeRythmPattern(8);

    // A reach far past the score: the copies run to column 1000 and stop.
    setNumbers("8", "8", "1e9");
    click(window.Command7);
    EXPECT_EQ(window.Notes[8][1000], patternRow(8, 0));  // the copy at 1000
    EXPECT_EQ(window.Notes[8][999], patternRow(8, 7));
    EXPECT_EQ(window.CursorColumn, 0);

    // Beats far past the score: the whole score is the pattern, and its one
    // copy at the cursor is the pattern itself.
    const score::Grid before = window.Notes;
    setNumbers("70000", "90000", "60");
    click(window.Command7);
    EXPECT_EQ(window.ClipLength, 1000);
    EXPECT_EQ(window.Notes, before);

    // A negative reach or Beats below 0.
    setNumbers("-5", "8", "-70000");
    click(window.Command7);
    EXPECT_EQ(window.ClipLength, 0);
    EXPECT_EQ(window.Notes, before);
}

// Playback leaves the Rythm toolbar enabled and handles window events between
// its steps: a click there runs the whole tool at once.
TEST_F(RythmCreateTest, CreateRythmDuringPlaybackRunsWholeBetweenTwoSteps) {
    auto& window = form();
    placeRythmPattern(8);
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(window.Playing);
        EXPECT_FALSE(window.FunctionsFrame.enabled());
        EXPECT_TRUE(window.Command7.enabled());
        click(window.Command7);
        clicked = true;
        EXPECT_EQ(window.Notes[12][64], patternRow(12, 8));
        window.Command24_Click();  // Stop
    });
    window.PlayAndStop(0).setValue(true);

    EXPECT_TRUE(clicked);
    EXPECT_FALSE(window.Playing);
    EXPECT_EQ(window.Notes[8][40], patternRow(8, 0));
    EXPECT_EQ(window.CursorColumn, 0);
    EXPECT_EQ(window.EditMode, edit::DrawMode);
    EXPECT_TRUE(window.FunctionsFrame.enabled());
}

}  // namespace
}  // namespace rythmtest
