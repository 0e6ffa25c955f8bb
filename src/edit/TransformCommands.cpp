// The transforms of the selection (the whole score without one): the pitch
// mirror, the retrograde and the semitone transpose. Transpose stays usable
// while the score plays; playback turns its notes off by what it sent, so a
// note changed under it still ends.

#include "app/Form1.h"
#include "edit/Transforms.h"

namespace app {

namespace {

constexpr edit::ColumnRange WholeScore{0, score::LastColumn};

// The selection, or `whole` without one; nothing for a selection whose drag
// has not ended, which the transforms leave alone.
std::optional<edit::ColumnRange> transformRange(std::int16_t selStart, std::int16_t selEnd,
                                                edit::ColumnRange whole) {
    if (selStart <= -1) return whole;
    return edit::selectedRange(selStart, selEnd);
}

}  // namespace

void Form1::InvertSelection() {
    MusicBox.setFocus();
    const auto range = transformRange(SelStart, SelEnd, WholeScore);
    if (!range) return;
    edit::invertColumns(Notes, *range, hiddenTracks());
    RedrawScore();
}

void Form1::ReverseSelection() {
    MusicBox.setFocus();
    FindLastColumn();
    const auto range = transformRange(SelStart, SelEnd, {0, LastUsedColumn});
    if (!range) return;
    edit::reverseColumns(Notes, Instruments, *range, hiddenTracks());
    RedrawScore();
}

void Form1::TransposeBut_Click(int Index) {
    MusicBox.setFocus();
    // "Move All Notes Up One" lowers the row number: row 0 is the top pitch.
    const int rowStep = Index != 0 ? -1 : 1;
    const auto range = transformRange(SelStart, SelEnd, WholeScore);
    if (!range) return;
    edit::transposeColumns(Notes, *range, rowStep, hiddenTracks());
    RedrawScore();
}

void Form1::Command12_Click() {
    ReverseSelection();
}

void Form1::Command13_Click() {
    InvertSelection();
}

}  // namespace app
