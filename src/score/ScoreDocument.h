#pragma once
// The main window's score fields: the grids, each track's instrument, the
// tempo, and the file the score belongs to.

#include <cstdint>
#include <string>

#include "score/ScoreGrids.h"

namespace score {

struct ScoreDocument {
    Grid Notes{};
    Grid Instruments{};
    TrackInstruments TrackInstrument{};
    std::int16_t LastUsedColumn = 0;
    std::int16_t Tempo = 0;
    std::string ScoreFile;
};

}  // namespace score
