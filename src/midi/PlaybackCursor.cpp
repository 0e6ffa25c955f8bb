// The play cursor bar over the playing column, the automatic scroll that keeps
// it in view, and the move to the next column: the end of the song stops or
// loops.

#include "app/Form1.h"
#include "platform/forms/Application.h"
#include "score/NumberText.h"

namespace app {

namespace {

constexpr int LastViewColumn = score::LastColumn - 1;
constexpr view::OleColour PlayCursorColour = 0xC0C0FF;  // light red
constexpr int PlayCursorWidth = 4;

}  // namespace

void Form1::AdvancePlayColumn() {
    // Only the strip saved under the bar drawn last is put back, and only
    // while the picture it came from is still the one shown.
    if (CursorSaved && !ViewRedrawn && PlayCursorColumn >= 0 && PlayCursorColumn <= ColumnSpan) {
        PutColumn(PlayCursorColumn);
    }
    CursorSaved = false;
    ViewRedrawn = false;

    if (chkgraphics.value() == 1) {
        PlayCursorColumn = score::saturate16(PlayColumn - FirstColumn);
        if (PlayCursorColumn > ColumnSpan) {
            FirstColumn = PlayColumn;
            LastVisibleColumn = score::saturate16(PlayColumn + ColumnSpan);
            if (PlayColumn > LastViewColumn - ColumnSpan) {
                LastVisibleColumn = LastViewColumn;
                FirstColumn = static_cast<std::int16_t>(LastViewColumn - ColumnSpan);
            }
            PlayCursorColumn = score::saturate16(PlayColumn - FirstColumn);
            ScrollByCode = true;
            HScroll1.setValue(HalfColumns + FirstColumn);
            ScrollByCode = false;
            RedrawScore();
            ViewRedrawn = false;
        }
        // A playing column left of the view, or column 1000, has no bar.
        if (PlayCursorColumn >= 0 && PlayCursorColumn <= ColumnSpan) drawPlayCursorBar();
    }

    ++PlayColumn;
    if (PlayColumn > LastUsedColumn) {
        if (loopcheck.value() == 1 && chkgraphics.value() == 1) {
            // A stop that came during this step's wait still ends playback:
            // starting again is only for a playback that goes on.
            if (Playing) startPlayback(true);
        } else if (loopcheck.value() == 1) {
            PlayColumn = 0;
        } else {
            PlayAndStop(0).setValue(false);
            Playing = false;
        }
    }
    forms::doEvents();
}

void Form1::drawPlayCursorBar() {
    GetColumn(PlayCursorColumn);
    CursorSaved = true;
    surface::Surface& box = MusicBox.surface();
    const int x = view::CellSize * PlayCursorColumn;
    box.setFillStyle(surface::FillStyle::Solid);
    box.setFillColour(PlayCursorColour);
    box.box(x, 0, x + PlayCursorWidth - 1, MusicBox.scaleHeight() - 1, PlayCursorColour);
    box.setFillStyle(surface::FillStyle::Transparent);
}

}  // namespace app
