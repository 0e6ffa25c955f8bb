// The edit mode buttons, the draw/select toggle and the press on the column
// ruler.

#include <algorithm>
#include <cmath>

#include "app/Form1.h"

namespace app {

void Form1::FunctionBut_Click(int Index) {
    MusicBox.setFocus();
    EditMode = static_cast<std::int16_t>(Index);
    if (Index == edit::DrawMode) {
        MusicBox.setMousePointer(forms::DefaultPointer);
    } else if (Index == edit::InsertionMode || Index == edit::SelectMode) {
        MusicBox.setMousePointer(forms::CrossPointer);
    }
}

void Form1::FunctionBut_GotFocus(int /*Index*/) {
    MusicBox.setFocus();
}

// Selecting an option runs its click handler: unticking ends in Draw Mode,
// ticking passes through Start/Insertion Position and ends in Select Area.
void Form1::toolberasecheck_Click() {
    switch (toolberasecheck.value()) {
        case 0:
            FunctionBut(edit::DrawMode).setValue(true);
            FunctionBut(edit::InsertionMode).setValue(false);
            FunctionBut(edit::SelectMode).setValue(false);
            break;
        case 1:
            FunctionBut(edit::DrawMode).setValue(false);
            FunctionBut(edit::InsertionMode).setValue(true);
            FunctionBut(edit::SelectMode).setValue(true);
            break;
        default:
            break;
    }
}

// The press names the column under the pointer: the overlay's x taken into the
// score box's pixels, then onto its 12-pixel columns, and kept within the view.
void Form1::TopBarOverlay_MouseDown(int /*Button*/, int /*Shift*/, float X, float /*Y*/) {
    if (Playing) return;
    const float boxX = X + static_cast<float>(TopBarOverlay.left() - MusicBox.left());
    const int viewColumn = static_cast<int>(std::floor(boxX / view::CellSize));
    const int lastColumn = std::min<int>(LastVisibleColumn, score::LastColumn);
    const int firstColumn = std::min<int>(FirstColumn, lastColumn);
    CursorColumn =
        static_cast<std::int16_t>(std::clamp(FirstColumn + viewColumn, firstColumn, lastColumn));
    RedrawScore();
}

}  // namespace app
