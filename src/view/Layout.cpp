// The main window's layout: how many score columns and pitch rows fit into the
// space the docked toolbars leave, the sizes of the score box and its
// companions, the scroll bars' ranges, and the window's smallest size.

#include <algorithm>
#include <array>
#include <initializer_list>

#include "app/Form1.h"
#include "score/NumberText.h"
#include "view/TintSources.h"

namespace app {

namespace {

constexpr int HorizontalMargin = 70;
constexpr int VerticalMargin = 40;
// The score area's first height is counted in 16-pixel steps, not cells.
constexpr int RowCountingStep = 16;
constexpr int ScoreAreaExtraHeight = 65;
constexpr int ScrollBarGap = 1;
constexpr int RulerBandExtraWidth = 20;
constexpr int SideBarExtraHeight = 20;
constexpr int LastViewColumn = 999;
constexpr int LastViewRow = score::RowCount - 1;
constexpr int SmallestClientWidth = 718;
constexpr int SmallestClientHeight = 325;

// A span of -1 is a view of no cells: a client area too small for one cell
// lays out an empty score box. The upper bounds keep a view inside the score,
// so that the first column and row never go below 0.
std::int16_t columnSpanFor(int clientWidth) {
    return static_cast<std::int16_t>(
        std::clamp((clientWidth - HorizontalMargin) / view::CellSize - 1, -1, LastViewColumn));
}

std::int16_t rowSpanFor(int scoreAreaHeight) {
    return static_cast<std::int16_t>(
        std::clamp(scoreAreaHeight / RowCountingStep - 1, -1, LastViewRow));
}

int boxExtent(int span) {
    return (span + 1) * view::CellSize + 1;
}

// The most rows whose score box and horizontal scroll bar end within the room
// between the top and the bottom toolbars.
int rowSpanClearOfBelow(int room, int boxTop, int scrollBarHeight) {
    const int boxRoom = room - boxTop - ScrollBarGap - scrollBarHeight - 1;
    return std::max(boxRoom / view::CellSize - 1, -1);
}

// The heights of the shown toolbars docked above and below the score area.
struct ToolbarStacks {
    int above = 0;
    int below = 0;
};

ToolbarStacks stacksOf(std::initializer_list<const forms::PictureBox*> toolbars) {
    ToolbarStacks stacks;
    for (const forms::PictureBox* toolbar : toolbars) {
        if (!toolbar->visible()) continue;
        (toolbar->align() == 2 ? stacks.below : stacks.above) += toolbar->height();
    }
    return stacks;
}

}  // namespace

void Form1::Form_Resize() {
    Resizing = true;
    Picmain.setVisible(false);
    if (windowState() == forms::WindowState::Minimized) return;

    ColumnSpan = columnSpanFor(scaleWidth());

    int toolbarHeights = 0;
    for (const forms::PictureBox* toolbar :
         std::array<const forms::PictureBox*, 7>{&toolbSetup, &toolbEdit, &toolbPlay, &toolbRythm,
                                                 &ToolbCompose, &toolbMIDI, &ToolbRecord}) {
        if (toolbar->visible()) toolbarHeights += toolbar->height();
    }
    const int firstAreaHeight = scaleHeight() - VerticalMargin - toolbarHeights;
    Picmain.setHeight(std::max(firstAreaHeight, 0));
    RowSpan = rowSpanFor(firstAreaHeight);
    // Toolbars docked below stand in front of the score area: where the room
    // is short they would cover the scroll bar, so the rows stop where it
    // clears them. Only the area's empty margin may lie behind them.
    const ToolbarStacks stacks = stacksOf({&toolbMenu, &toolbSetup, &toolbEdit, &toolbPlay,
                                           &toolbRythm, &ToolbCompose, &toolbMIDI, &ToolbRecord});
    if (stacks.below > 0) {
        RowSpan = static_cast<std::int16_t>(
            std::min<int>(RowSpan, rowSpanClearOfBelow(scaleHeight() - stacks.above - stacks.below,
                                                       MusicBox.top(), HScroll1.height())));
    }

    Image1.move(0, 0);
    const int boxWidth = boxExtent(ColumnSpan);
    const int boxHeight = boxExtent(RowSpan);
    MusicBox.setWidth(boxWidth);
    MusicBox.setHeight(boxHeight);
    Picmain.setHeight(boxHeight + ScoreAreaExtraHeight);
    Image1.setWidth(Picmain.width());
    Image1.setHeight(Picmain.height());

    SwapScreen.setWidth(boxWidth);
    SwapScreen.setHeight(boxHeight);
    view::fitTintSource(BlueBox, boxWidth, boxHeight);
    GreenBox.setHeight(boxHeight);
    view::fitTintSource(RedBox, RedBox.scaleWidth(), boxHeight);

    TopBarOverlay.setWidth(boxWidth);
    // The band reaches past the box's right edge, so the last numbers stand on it too.
    Shape2.setWidth(MusicBox.left() - Shape2.left() + boxWidth + RulerBandExtraWidth);
    SideBar.setHeight(boxHeight + SideBarExtraHeight);

    HScroll1.setWidth(boxWidth);
    HScroll1.setTop(MusicBox.top() + boxHeight + ScrollBarGap);
    VScroll1.setHeight(boxHeight);
    VScroll1.setLeft(MusicBox.left() + boxWidth + ScrollBarGap);

    HalfColumns = static_cast<std::int16_t>((ColumnSpan + 1) / 2);
    HalfRows = static_cast<std::int16_t>((RowSpan + 1) / 2);

    // A view that fits stays where it is; one that runs past the end of the
    // score is moved back just far enough.
    LastVisibleColumn = score::saturate16(FirstColumn + ColumnSpan);
    if (LastVisibleColumn > LastViewColumn) {
        LastVisibleColumn = LastViewColumn;
        FirstColumn = static_cast<std::int16_t>(LastViewColumn - ColumnSpan);
    }
    LastVisibleRow = score::saturate16(FirstRow + RowSpan);
    if (LastVisibleRow > LastViewRow) {
        LastVisibleRow = LastViewRow;
        FirstRow = static_cast<std::int16_t>(LastViewRow - RowSpan);
    }

    // An empty view still keeps its first column and row inside the score.
    HScroll1.setMin(HalfColumns);
    HScroll1.setMax(LastViewColumn - (std::max<int>(ColumnSpan, 0) - HalfColumns));
    HScroll1.setLargeChange(std::max(ColumnSpan + 1, 1));
    HScroll1.setValue(FirstColumn + HalfColumns);
    VScroll1.setMin(HalfRows);
    VScroll1.setMax(LastViewRow - (std::max<int>(RowSpan, 0) - HalfRows));
    VScroll1.setLargeChange(std::max(RowSpan + 1, 1));
    VScroll1.setValue(FirstRow + HalfRows);

    // The smallest size is a client area of 718 x 325; the outer size is
    // grown by what the frame and the menu bar take. The new size raises this
    // layout again.
    if (windowState() != forms::WindowState::Maximized) {
        if (scaleWidth() < SmallestClientWidth) {
            setWidth(width() + SmallestClientWidth - scaleWidth());
        }
        if (scaleHeight() < SmallestClientHeight) {
            setHeight(height() + SmallestClientHeight - scaleHeight());
        }
    }

    FillSideBar();
    FillTopBar();
    ViewRedrawn = true;
    RedrawScore();
    Resizing = false;
    Picmain.setVisible(true);
}

}  // namespace app
