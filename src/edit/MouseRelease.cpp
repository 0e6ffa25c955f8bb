// The release in the score box: it ends the gesture the press began, writing
// the drawn note or the selection's end.

#include "app/Form1.h"
#include "edit/MouseGridEdits.h"

namespace app {

void Form1::MusicBox_MouseUp(int Button, int /*Shift*/, float X, float /*Y*/) {
    if (Playing) return;
    MusicBox.setMousePointer(forms::UpArrowPointer);
    if (!MousePressed) return;
    MousePressed = false;
    switch (EditMode) {
        case edit::DrawMode:
            drawModeRelease(Button, X);
            break;
        case edit::SelectMode:
            selectModeRelease(Button, X);
            break;
        default:
            break;
    }
}

void Form1::drawModeRelease(int Button, float X) {
    PressColumn = edit::viewCellAt(X);
    if (Button != forms::LeftButton) {
        // Another button ended a drawing gesture: its notes must not sound on.
        silenceDrawingNotes();
        return;
    }
    std::int16_t end = PressColumn;
    if (end > ColumnSpan) end = ColumnSpan;
    NoteChannel = CurrentTrack;
    if (PressNoteSounding) {
        stopLiveNote(PressNote);
        PressNoteSounding = false;
    }
    StopColumnNotes();
    if (end < AnchorColumn) end = AnchorColumn;

    // The note lies on the press's row whatever row the release is in, and is
    // written whether the current track is hidden or not.
    const int track = CurrentTrack;
    edit::DrawnNote note;
    note.track = track;
    note.firstColumn = FirstColumn + AnchorColumn;
    note.lastColumn = FirstColumn + end;
    note.row = FirstRow + PressRow;
    note.instrument = TrackInstrument[track];
    edit::writeDrawnNote(Notes, Instruments, note);
    RedrawScore();
}

void Form1::selectModeRelease(int Button, float X) {
    if (Button == forms::LeftButton) {
        std::int16_t end = edit::viewCellAt(X);
        if (end > ColumnSpan) end = ColumnSpan;
        if (end < AnchorColumn) end = AnchorColumn;
        PressColumn = end;
        SelEnd = static_cast<std::int16_t>(FirstColumn + end);
        RedrawScore();
        return;
    }
    if (isEraseToggleTicked()) popupMenu(mnupopup);
}

}  // namespace app
