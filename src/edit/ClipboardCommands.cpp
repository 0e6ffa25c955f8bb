// The Editing toolbar's clipboard and insertion buttons and the score box's
// right-click menu: copy, cut, paste over, paste with insertion, insert space.

#include "app/Form1.h"
#include "edit/ColumnEdits.h"

namespace app {

void Form1::CopySelection() {
    const auto range = edit::selectedRange(SelStart, SelEnd);
    if (!range) return;
    edit::copyColumns(Notes, Instruments, *range, hiddenTracks(), ClipNotes, ClipInstruments,
                      ClipLength);
}

void Form1::InsertColumns(std::int16_t N) {
    edit::insertEmptyColumns(Notes, Instruments, CursorColumn, N, hiddenTracks());
}

// After a copy or a cut the next click in the score chooses where to paste.
void Form1::CopyBut_Click() {
    MusicBox.setFocus();
    if (!edit::selectedRange(SelStart, SelEnd)) return;
    CopySelection();
    SelStart = -1;
    SelEnd = -1;
    RedrawScore();
    FunctionBut(edit::InsertionMode).setValue(true);
}

void Form1::CutBut_Click() {
    MusicBox.setFocus();
    const auto range = edit::selectedRange(SelStart, SelEnd);
    if (!range) return;
    CopySelection();
    edit::removeColumns(Notes, Instruments, *range, hiddenTracks());
    SelStart = -1;
    SelEnd = -1;
    FunctionBut(edit::InsertionMode).setValue(true);
    RedrawScore();
}

void Form1::PasteBut_Click() {
    toolberasecheck.setValue(0);
    MusicBox.setFocus();
    edit::pasteColumns(Notes, Instruments, ClipNotes, ClipInstruments, ClipLength, CursorColumn,
                       hiddenTracks());
    RedrawScore();
}

void Form1::PasteIntoBut_Click() {
    toolberasecheck.setValue(0);
    MusicBox.setFocus();
    InsertColumns(static_cast<std::int16_t>(ClipLength + 1));
    PasteBut_Click();
}

void Form1::InsertColumnBut_Click() {
    MusicBox.setFocus();
    InsertColumns(1);
    RedrawScore();
}

void Form1::mnuCopy_Click() {
    CopyBut_Click();
}

void Form1::mnuErase_Click() {
    CutBut_Click();
}

void Form1::mnuEdit_Click() {
    PasteBut_Click();
    toolberasecheck.setValue(0);
}

// The menu pair mirrors the toolbar pair: "Replace Selection" pastes over the
// columns at the cursor, "Insert Selection" makes room for them first.
void Form1::mnuInsert_Click() {
    PasteIntoBut_Click();
    toolberasecheck.setValue(0);
}

}  // namespace app
