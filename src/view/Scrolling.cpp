// The scroll bars and "Return to Start": each bar's value is the score column
// (pitch row) at the middle of the view, so any value it can take gives a
// first column (row) inside the score.

#include "app/Form1.h"
#include "score/NumberText.h"

namespace app {

void Form1::HScroll1_Change() {
    // The layout sets the bars' ranges and values itself, then redraws once.
    if (Resizing) return;
    FirstColumn = score::saturate16(HScroll1.value() - HalfColumns);
    LastVisibleColumn = score::saturate16(ColumnSpan + FirstColumn);
    FillTopBar();
    // A caller that set the value by code redraws by itself afterwards.
    if (!ScrollByCode) RedrawScore();
    ViewRedrawn = true;
}

void Form1::HScroll1_Scroll() {
    HScroll1_Change();
}

void Form1::VScroll1_Change() {
    if (Resizing) return;
    FirstRow = score::saturate16(VScroll1.value() - HalfRows);
    LastVisibleRow = score::saturate16(RowSpan + FirstRow);
    FillSideBar();
    RedrawScore();
    ViewRedrawn = true;
}

void Form1::VScroll1_Scroll() {
    VScroll1_Change();
}

void Form1::RewindBut_Click() {
    MusicBox.setFocus();
    FirstColumn = 0;
    CursorColumn = 0;
    LastVisibleColumn = ColumnSpan;
    RedrawScore();
    // Raises HScroll1_Change, which moves the ruler and redraws again, only
    // when the bar was not already at the start.
    HScroll1.setValue(HalfColumns);
}

}  // namespace app
