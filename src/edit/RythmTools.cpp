// "Create Rythm" and the repeated rhythm paste behind it.

#include "app/Form1.h"
#include "edit/RythmPattern.h"

namespace app {

void Form1::Command7_Click() {
    // A step below 1 could never advance: the clipboard, the selection and the
    // cursor are kept rather than traded for a pattern that is never pasted.
    if (edit::rythmNumber(Text4.text()) < 1) return;
    const std::int16_t beats = edit::rythmBeats(Text5.text());
    SelStart = 0;
    SelEnd = beats;
    ClipLength = static_cast<std::int16_t>(SelEnd - SelStart);
    edit::copyRythmPattern(Notes, Instruments, beats, hiddenTracks(), ClipNotes, ClipInstruments,
                           ClipLength);
    SelStart = -1;
    SelEnd = -1;
    RedrawScore();
    FunctionBut(edit::InsertionMode).setValue(true);
    // From wherever the cursor stands: at column 0 the first copy lands on the
    // pattern itself.
    Command8_Click();
    RewindBut_Click();
    FunctionBut(edit::DrawMode).setValue(true);
}

// The loop handles no window events, so a picture drawn between two copies
// would never be shown: one redraw after the last copy shows them all.
void Form1::Command8_Click() {
    const std::int16_t reach = edit::rythmReach(CursorColumn, Text3.text());
    const std::int16_t step = edit::rythmNumber(Text4.text());
    const edit::RythmRepeat repeat =
        edit::repeatRythmPattern(Notes, Instruments, ClipNotes, ClipInstruments, ClipLength,
                                 CursorColumn, reach, step, hiddenTracks());
    CursorColumn = repeat.nextPosition;
    if (repeat.positions > 0) RedrawScore();
}

}  // namespace app
