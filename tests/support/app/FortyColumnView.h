#pragma once
// Header only: the benchmarks use it too, without the test libraries.

#include "app/Form1.h"

namespace testsupport {

// The view as the layout leaves a window 40 columns wide, from column 0, with
// the position bar and the score redrawn.
inline void showFortyColumns(app::Form1& window) {
    window.Resizing = true;
    window.ColumnSpan = 39;
    window.HalfColumns = 20;
    window.FirstColumn = 0;
    window.LastVisibleColumn = 39;
    window.HScroll1.setMin(window.HalfColumns);
    window.HScroll1.setMax(999 - (window.ColumnSpan - window.HalfColumns));
    window.HScroll1.setLargeChange(window.ColumnSpan + 1);
    window.HScroll1.setValue(window.HalfColumns);
    window.Resizing = false;
    window.FillTopBar();
    window.RedrawScore();
}

}  // namespace testsupport
