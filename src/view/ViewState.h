#pragma once
// Which part of the score the score box shows, and what its drawing reads.

#include <array>
#include <cstdint>
#include <string>

#include "score/ScoreGrids.h"

namespace view {

using OleColour = std::uint32_t;

constexpr int CellSize = 12;

struct ViewState {
    std::int16_t FirstColumn = 0;
    std::int16_t FirstRow = 0;
    std::int16_t ColumnSpan = 0;
    std::int16_t RowSpan = 0;
    std::int16_t LastVisibleColumn = 0;
    std::int16_t LastVisibleRow = 0;
    std::int16_t HalfColumns = 0;
    std::int16_t HalfRows = 0;
    std::int16_t RulerOffset = 0;
    // One entry per view row; a view never shows more rows than the score has.
    std::array<bool, score::RowCount> IsSharpRow{};

    bool Resizing = false;
    bool ScrollByCode = false;
    bool ViewRedrawn = false;

    OleColour DrawColour = 0;
    std::int16_t SelBandLeft = 0;
    std::int16_t SelBandRight = 0;
    std::int16_t SelBandWidth = 0;

    std::array<OleColour, score::TrackCount> TrackColours{};
    std::array<OleColour, score::TrackCount> SelectedTrackColours{};
    OleColour CurrentTrackColour = 0;
    OleColour ScoreBackColor = 0;
    std::int32_t OverlayBlend = 0;

    std::array<std::string, 12> PitchClassNames{};
    std::array<std::string, score::RowCount> NoteNames{};
};

}  // namespace view
