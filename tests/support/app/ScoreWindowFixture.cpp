#include "support/app/ScoreWindowFixture.h"

#include <algorithm>

#include "platform/forms/Application.h"

namespace testsupport {

void ScoreWindowTest::showOnlyToolbars(std::initializer_list<forms::PictureBox*> shown) {
    auto& window = form();
    for (forms::PictureBox* toolbar :
         {&window.toolbSetup, &window.toolbEdit, &window.toolbPlay, &window.toolbRythm,
          &window.ToolbCompose, &window.toolbMIDI, &window.ToolbRecord}) {
        if (std::find(shown.begin(), shown.end(), toolbar) == shown.end()) {
            toolbar->setVisible(false);
        }
    }
    for (forms::PictureBox* toolbar : shown) toolbar->setVisible(true);
    forms::doEvents();
    window.Form_Resize();
}

void ScoreWindowTest::useDistinctTrackColours() {
    auto& window = form();
    for (int track = 0; track < score::TrackCount; ++track) {
        window.TrackColours[track] = otherColour(track);
        window.SelectedTrackColours[track] = currentColour(track);
    }
}

void ScoreWindowTest::moveView(int firstColumn, int firstRow) {
    auto& window = form();
    window.FirstColumn = static_cast<std::int16_t>(firstColumn);
    window.LastVisibleColumn = static_cast<std::int16_t>(firstColumn + window.ColumnSpan);
    window.FirstRow = static_cast<std::int16_t>(firstRow);
    window.LastVisibleRow = static_cast<std::int16_t>(firstRow + window.RowSpan);
    window.FillSideBar();
}

void ScoreWindowTest::clearNotes() {
    for (auto& track : form().Notes) track.fill(score::EmptyCell);
}

void ScoreWindowTest::placeNote(int track, int row, int first, int last, int instrument) {
    auto& window = form();
    for (int column = first; column <= last; ++column) {
        window.Notes[track][column] =
            static_cast<std::int16_t>(column == first ? row : score::HeldOffset + row);
        window.Instruments[track][column] = static_cast<std::int16_t>(instrument);
    }
}

std::vector<Colour> ScoreWindowTest::snapshot() {
    std::vector<Colour> pixels;
    for (int y = 0; y < boxHeight(); ++y) {
        for (int x = 0; x < boxWidth(); ++x) pixels.push_back(pixel(x, y));
    }
    return pixels;
}

}  // namespace testsupport
