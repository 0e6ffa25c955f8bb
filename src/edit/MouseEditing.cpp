// A press in the score box: what it starts in each edit mode.

#include <algorithm>

#include "app/Form1.h"
#include "edit/MouseGridEdits.h"
#include "score/NumberText.h"

namespace app {

namespace {

constexpr view::OleColour BlueColour = 0xFF0000;
constexpr int HeadRadius = 5;

// A press is taken to the nearest cell of the view, so nothing is ever written
// below the last pitch row or past the columns in view (the box is one pixel
// wider and higher than its cells).
std::int16_t clampToView(std::int16_t cell, std::int16_t span) {
    return static_cast<std::int16_t>(std::clamp<int>(cell, 0, std::max<int>(span, 0)));
}

}  // namespace

bool Form1::isEraseToggleTicked() const {
    return toolberasecheck.value() == 1;
}

void Form1::popupFromPress() {
    popupMenu(mnupopup);
    // The open menu takes the release of the button that opened it, so the
    // gesture ends here.
    MousePressed = false;
}

void Form1::silenceDrawingNotes() {
    if (PressNoteSounding) {
        stopLiveNote(PressNote);
        PressNoteSounding = false;
    }
    if (AuditionNoteCount > 0) StopColumnNotes();
}

void Form1::MusicBox_MouseDown(int Button, int /*Shift*/, float X, float Y) {
    if (Playing) return;
    MusicBox.setMousePointer(forms::UpArrowPointer);
    MousePressed = true;
    PressColumn = clampToView(edit::viewCellAt(X), ColumnSpan);
    PressRow = clampToView(edit::viewCellAt(Y), RowSpan);
    switch (EditMode) {
        case edit::DrawMode:
            drawModePress(Button, PressColumn, PressRow);
            break;
        case edit::InsertionMode:
            insertionModePress(Button, PressColumn);
            break;
        case edit::SelectMode:
            selectModePress(Button, PressColumn);
            break;
        default:
            break;
    }
}

void Form1::drawModePress(int Button, std::int16_t column, std::int16_t row) {
    if (Button == forms::LeftButton) {
        MusicBox.setMousePointer(forms::CustomPointer);
        silenceDrawingNotes();
        NoteChannel = CurrentTrack;
        if (!isTrackHidden(CurrentTrack)) {
            PressNote = startLiveNote(static_cast<std::int16_t>(FirstRow + row));
            PressNoteSounding = true;
        }
        AuditionColumn = column;
        StartColumnNotes();
        GetRow(row);

        surface::Surface& box = MusicBox.surface();
        const int x = column * view::CellSize;
        const int y = row * view::CellSize;
        box.filledBox(x + 1, y + 1, x + 11, y + 11, ScoreBackColor);
        box.box(x + 2, y + 2, x + 10, y + 10, CurrentTrackColour);
        AnchorColumn = column;
        // The head takes the fill colour the last drawing left.
        box.setFillStyle(surface::FillStyle::Solid);
        box.circle(x + HeadRadius, y + HeadRadius, HeadRadius, BlueColour);
        return;
    }
    if (Button != forms::RightButton) return;
    if (isEraseToggleTicked()) {
        popupFromPress();
        return;
    }
    const int track = CurrentTrack;
    const edit::ErasedNote erased =
        edit::eraseNoteAt(Notes, Instruments, track, FirstColumn + column);
    if (!erased.erased) return;
    // The walk's working column ends on the first cell after the note.
    PressColumn = score::saturate16(erased.lastColumn + 1 - FirstColumn);
    RedrawScore();
}

void Form1::insertionModePress(int Button, std::int16_t column) {
    if (Button == forms::RightButton && isEraseToggleTicked()) {
        popupFromPress();
        return;
    }
    CursorColumn = static_cast<std::int16_t>(FirstColumn + column);
    RedrawScore();
}

void Form1::selectModePress(int Button, std::int16_t column) {
    const std::int16_t scoreColumn = static_cast<std::int16_t>(FirstColumn + column);
    if (Button == forms::LeftButton) {
        // A press at or right of the selection's start gives it a new end at
        // the release; any other press starts a new selection.
        const bool extending = SelStart != -1 && scoreColumn >= SelStart;
        if (!extending) {
            SelStart = -1;
            SelEnd = -1;
        }
        RedrawScore();
        GetBox();
        const int x = column * view::CellSize;
        MusicBox.surface().box(x, 0, x + view::CellSize, MusicBox.height() - 1, BlueColour);
        AnchorColumn = column;
        // Set after the redraw, so that it shows no selection yet.
        if (!extending) SelStart = scoreColumn;
    }
    if (Button == forms::RightButton) {
        if (isEraseToggleTicked()) {
            popupFromPress();
        } else {
            SelStart = -1;
            SelEnd = -1;
            RedrawScore();
        }
    }
}

}  // namespace app
