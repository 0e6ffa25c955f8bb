#include "view/ViewTestFixture.h"

#include "platform/forms/Application.h"

namespace viewtest {

Colour tinted(Colour source, Colour destination) {
    Colour result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const Colour s = (source >> shift) & 0xFF;
        const Colour d = (destination >> shift) & 0xFF;
        result |= (s * 100 / 255 + d * 155 / 255) << shift;
    }
    return result;
}

void ScoreViewTest::SetUp() {
    MainWindowTest::SetUp();
    closeOptionalToolbars();
    clearNotes();
    auto& window = form();
    window.SelStart = -1;
    window.SelEnd = -1;
    window.CurrentTrack = 0;
    for (int track = 0; track < score::TrackCount; ++track) {
        window.TrackColours[track] = otherColour(track);
        window.SelectedTrackColours[track] = currentColour(track);
    }
}

void ScoreViewTest::closeOptionalToolbars() {
    auto& window = form();
    for (forms::PictureBox* toolbar :
         {&window.toolbSetup, &window.toolbEdit, &window.toolbPlay, &window.toolbRythm,
          &window.ToolbCompose, &window.toolbMIDI, &window.ToolbRecord}) {
        toolbar->setVisible(false);
    }
    forms::doEvents();
    window.Form_Resize();
}

void ScoreViewTest::showView(int firstColumn, int firstRow) {
    auto& window = form();
    window.FirstColumn = static_cast<std::int16_t>(firstColumn);
    window.LastVisibleColumn = static_cast<std::int16_t>(firstColumn + window.ColumnSpan);
    window.FirstRow = static_cast<std::int16_t>(firstRow);
    window.LastVisibleRow = static_cast<std::int16_t>(firstRow + window.RowSpan);
    window.FillSideBar();
}

void ScoreViewTest::clearNotes() {
    for (auto& track : form().Notes) track.fill(score::EmptyCell);
}

void ScoreViewTest::placeNote(int track, int row, int first, int last) {
    auto& cells = form().Notes[track];
    cells[first] = static_cast<std::int16_t>(row);
    for (int column = first + 1; column <= last; ++column) {
        cells[column] = static_cast<std::int16_t>(score::HeldOffset + row);
    }
}

std::vector<Colour> ScoreViewTest::snapshot() {
    std::vector<Colour> pixels;
    for (int y = 0; y < boxHeight(); ++y) {
        for (int x = 0; x < boxWidth(); ++x) pixels.push_back(pixel(x, y));
    }
    return pixels;
}

}  // namespace viewtest
