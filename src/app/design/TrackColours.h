#pragma once
// The track buttons' designed back colours; a track's notes take its button's
// colour while it is the current track.

#include <array>
#include <cstdint>

namespace app::design {

constexpr std::array<std::uint32_t, 13> TrackButtonColours = {
    0x000000FF, 0x00C7743D, 0x0000FF00, 0x00FF00FF, 0x00FFFF00, 0x000080FF, 0x0000FFFF,
    0x00FF8080, 0x00FF8080, 0x00FF80FF, 0x000080FF, 0x00FFFF80, 0x008080FF};

// Width of a track's select button and hide box on the toolbars.
constexpr int TrackButtonWidth = 22;

// The hide boxes' designed back colour: the system's title-bar text colour.
constexpr std::uint32_t HideBoxDesignColour = 0x80000009;

}  // namespace app::design
