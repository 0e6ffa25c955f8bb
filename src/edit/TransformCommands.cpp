// The transforms of the selection (the whole score without one): the pitch
// mirror, the retrograde and the semitone transpose. Transpose stays usable
// while the score plays; playback turns its notes off by what it sent, so a
// note changed under it still ends.

#include "app/Form1.h"
#include "edit/Transforms.h"

namespace app {

namespace {

constexpr edit::ColumnRange WholeScore{0, score::LastColumn};

}  // namespace

void Form1::InvertSelection() {
    MusicBox.setFocus();
    const auto range = edit::selectedRange(SelStart, SelEnd).value_or(WholeScore);
    edit::invertColumns(Notes, range, hiddenTracks());
    RedrawScore();
}

void Form1::ReverseSelection() {
    MusicBox.setFocus();
    FindLastColumn();
    const auto range =
        edit::selectedRange(SelStart, SelEnd).value_or(edit::ColumnRange{0, LastUsedColumn});
    edit::reverseColumns(Notes, Instruments, range, hiddenTracks());
    RedrawScore();
}

void Form1::TransposeBut_Click(int Index) {
    MusicBox.setFocus();
    // "Move All Notes Up One" lowers the row number: row 0 is the top pitch.
    const int rowStep = Index != 0 ? -1 : 1;
    const auto range = edit::selectedRange(SelStart, SelEnd).value_or(WholeScore);
    edit::transposeColumns(Notes, range, rowStep, hiddenTracks());
    RedrawScore();
}

void Form1::Command12_Click() {
    ReverseSelection();
}

void Form1::Command13_Click() {
    InvertSelection();
}

}  // namespace app
