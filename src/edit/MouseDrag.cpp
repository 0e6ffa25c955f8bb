// Moves over the score box: the ruler number as the box's tool tip, the
// rubber-band bar of a note being drawn and the box of a selection being
// dragged. A move never redraws the whole score: it restores the pixels saved
// at the press and draws one shape over them.

#include <string>

#include "app/Form1.h"
#include "edit/MouseGridEdits.h"
#include "score/NumberText.h"

namespace app {

namespace {
constexpr view::OleColour BlueColour = 0xFF0000;
constexpr view::OleColour BlackColour = 0x000000;
constexpr int HeadRadius = 5;
constexpr int FirstTipLabel = 1;
constexpr int LastTipLabel = 12;
}  // namespace

void Form1::MusicBox_MouseMove(int Button, int /*Shift*/, float X, float Y) {
    // While the score plays only the pointer's own moves in Draw Mode go on.
    if (Playing && (Button != 0 || EditMode != edit::DrawMode)) return;
    showRulerNumberTip(X);
    if (LastMoveRow != PressRow) MusicBox.setMousePointer(forms::UpArrowPointer);
    // A drag that came in from outside the box draws nothing.
    if (Button > 0 && !MousePressed) return;

    if (EditMode == edit::DrawMode) {
        if (Button == 0) MusicBox.setMousePointer(forms::UpArrowPointer);
        if (Button == forms::LeftButton) {
            MusicBox.setMousePointer(LastMoveRow != PressRow ? forms::UpArrowPointer
                                                             : forms::CustomPointer);
            const std::int16_t column = edit::viewCellAt(X);
            if (column == LastDragColumn) return;
            LastDragColumn = column;
            drawRubberBand(column);
        }
    } else if (EditMode == edit::SelectMode && Button == forms::LeftButton) {
        const std::int16_t column = edit::viewCellAt(X);
        if (column == LastDragColumn) return;
        LastDragColumn = column;
        drawSelectionBox(column);
    }
    LastMoveRow = edit::viewCellAt(Y);
}

// The ruler marks and the box are compared as their coordinates stand, with no
// shift between the ruler's container and the box.
void Form1::showRulerNumberTip(float X) {
    std::int16_t number = 0;
    for (int index = FirstTipLabel; index <= LastTipLabel; ++index) {
        const forms::Label* label = TopBar.find(index);
        if (label == nullptr || static_cast<float>(label->left()) <= X) continue;
        number = score::textToInt16(label->caption());
        break;
    }
    const std::string tip = std::to_string(number);
    if (MusicBox.toolTipText() != tip) MusicBox.setToolTipText(tip);
}

void Form1::drawRubberBand(std::int16_t toColumn) {
    std::int16_t end = toColumn;
    if (end > ColumnSpan) end = ColumnSpan;
    if (end < PressColumn) end = PressColumn;
    DragColumn = end;
    PutRow(PressRow);

    surface::Surface& box = MusicBox.surface();
    const int x = PressColumn * view::CellSize;
    const int y = PressRow * view::CellSize;
    const int right = end * view::CellSize + 10;
    box.filledBox(x + 1, y + 4, right, y + 7, ScoreBackColor);
    // Filled as the fill state stands: the press left it solid.
    box.box(x + 1, y + 4, right, y + 7, CurrentTrackColour);
    box.setFillColour(CurrentTrackColour);
    box.setFillStyle(surface::FillStyle::Solid);
    box.circle(x + HeadRadius, y + HeadRadius, HeadRadius, BlackColour);
}

void Form1::drawSelectionBox(std::int16_t toColumn) {
    std::int16_t end = toColumn;
    if (end > ColumnSpan) end = ColumnSpan;
    if (end < PressColumn) end = PressColumn;
    DragColumn = end;
    PutBox();
    MusicBox.surface().box(PressColumn * view::CellSize, 0, end * view::CellSize + view::CellSize,
                           MusicBox.height() - 1, BlueColour);
}

}  // namespace app
