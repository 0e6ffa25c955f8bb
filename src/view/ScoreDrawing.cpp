// The full redraw of the piano roll: everything in the score box is painted
// again from the fields, so nothing drawn earlier survives it.

#include <algorithm>

#include "app/Form1.h"
#include "score/NumberText.h"
#include "view/TintSources.h"

namespace app {

namespace {

constexpr view::OleColour SharpRowColour = 0xE0E0E0;
constexpr view::OleColour BeatLineColour = 0xFFCC44;
constexpr view::OleColour NoteRimColour = 0x000000;
constexpr int CursorTintWidth = 12;
constexpr int HeadRadius = 5;

// The other twelve tracks in ascending order, the current track last.
int trackAtDrawingPosition(int position, int currentTrack) {
    if (position == score::TrackCount - 1) return currentTrack;
    return position < currentTrack ? position : position + 1;
}

}  // namespace

void Form1::RedrawScore() {
    surface::Surface& box = MusicBox.surface();
    const int width = MusicBox.scaleWidth();
    const int height = MusicBox.scaleHeight();
    const int cell = view::CellSize;

    MusicBox.cls();

    const int lastViewRow = std::min<int>(RowSpan, static_cast<int>(IsSharpRow.size()) - 1);
    for (int viewRow = 0; viewRow <= lastViewRow; ++viewRow) {
        if (IsSharpRow[viewRow]) {
            box.filledBox(0, viewRow * cell, width - 1, viewRow * cell + cell - 1, SharpRowColour);
        }
    }

    for (int x = 0; x <= width - 1; x += cell) {
        if (((FirstColumn + x / cell) & 3) == 0) {
            DrawColour = BeatLineColour;
            box.line(x, 0, x, height, DrawColour);
        }
    }

    // Column 1000 holds notes but is never shown; the scan may look one column
    // past the view to find where a bar ends, and never past the score.
    const int firstColumn = std::max<int>(FirstColumn, 0);
    const int lastColumn = std::min<int>(LastVisibleColumn, score::LastColumn);
    for (int position = 0; position < score::TrackCount; ++position) {
        const int track = trackAtDrawingPosition(position, CurrentTrack);
        if (track < 0 || track >= score::TrackCount || isTrackHidden(track)) continue;
        const bool isCurrent = position == score::TrackCount - 1;
        DrawColour = isCurrent ? SelectedTrackColours[track] : TrackColours[track];
        const score::TrackRow& cells = Notes[track];
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int value = cells[column];
            if (value < 0) continue;
            const int row = value % score::HeldOffset;
            int end = column;
            while (end + 1 <= lastColumn && cells[end + 1] >= score::HeldOffset) ++end;
            const int x0 = (column - FirstColumn) * cell;
            const int x1 = x0 + (end - column) * cell;
            const int y = (row - FirstRow) * cell;
            box.filledBox(x0 + 2, y + 4, x1 + 11, y + 7, DrawColour);
            box.setFillStyle(surface::FillStyle::Solid);
            box.setFillColour(DrawColour);
            box.circle(x0 + HeadRadius, y + HeadRadius, HeadRadius, NoteRimColour);
            column = end;
        }
    }

    // The tints need sources as large as the box: the first redraw at start-up
    // comes before the first layout has sized them.
    view::fitTintSource(BlueBox, width, height);
    view::fitTintSource(RedBox, CursorTintWidth, height);

    if (SelStart >= 0 && SelStart <= LastVisibleColumn && SelEnd >= FirstColumn) {
        const int left = SelStart >= FirstColumn ? (SelStart - FirstColumn) * cell : 0;
        const int right =
            SelEnd <= LastVisibleColumn ? (SelEnd - FirstColumn) * cell + cell : width - 1;
        SelBandLeft = score::saturate16(left);
        SelBandRight = score::saturate16(right);
        SelBandWidth = score::saturate16(right - left + 1);
        surface::alphaBlend(box, SelBandLeft, 0, SelBandWidth, height, BlueBox.surface(),
                            SelBandLeft, 0, SelBandWidth, height,
                            static_cast<std::uint32_t>(OverlayBlend));
    }

    if (CursorColumn >= FirstColumn && CursorColumn <= FirstColumn + ColumnSpan) {
        const int x = (CursorColumn - FirstColumn) * cell;
        surface::alphaBlend(box, x, 0, CursorTintWidth, height, RedBox.surface(), 0, 0,
                            CursorTintWidth, height, static_cast<std::uint32_t>(OverlayBlend));
    }

    box.setFillStyle(surface::FillStyle::Transparent);
    MusicBox.refresh();
    // Any strip saved from the picture before is stale now.
    ViewRedrawn = true;
}

}  // namespace app
