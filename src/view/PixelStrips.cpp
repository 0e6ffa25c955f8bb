// Saving and restoring the pixels under short-lived marks (the note being
// drawn, the selection box being dragged, the playing-position bar). All
// three shapes share one store at SwapScreen's top-left corner.

#include "app/Form1.h"

namespace app {

namespace {

// One cell row and the three pixel rows below it.
constexpr int RowStripHeight = 15;
// One cell column and the grid line on its right.
constexpr int ColumnStripWidth = 13;

}  // namespace

void Form1::GetRow(std::int16_t Y) {
    surface::bitBlt(SwapScreen.surface(), 0, 0, MusicBox.scaleWidth(), RowStripHeight,
                    MusicBox.surface(), 0, Y * view::CellSize);
}

void Form1::PutRow(std::int16_t Y) {
    surface::bitBlt(MusicBox.surface(), 0, Y * view::CellSize, MusicBox.scaleWidth(),
                    RowStripHeight, SwapScreen.surface(), 0, 0);
}

void Form1::GetColumn(std::int16_t X) {
    surface::bitBlt(SwapScreen.surface(), 0, 0, ColumnStripWidth, MusicBox.scaleHeight(),
                    MusicBox.surface(), X * view::CellSize, 0);
}

void Form1::PutColumn(std::int16_t X) {
    surface::bitBlt(MusicBox.surface(), X * view::CellSize, 0, ColumnStripWidth,
                    MusicBox.scaleHeight(), SwapScreen.surface(), 0, 0);
}

void Form1::GetBox() {
    surface::bitBlt(SwapScreen.surface(), 0, 0, MusicBox.scaleWidth(), MusicBox.scaleHeight(),
                    MusicBox.surface(), 0, 0);
}

void Form1::PutBox() {
    surface::bitBlt(MusicBox.surface(), 0, 0, MusicBox.scaleWidth(), MusicBox.scaleHeight(),
                    SwapScreen.surface(), 0, 0);
}

}  // namespace app
