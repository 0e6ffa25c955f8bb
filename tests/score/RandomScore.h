#pragma once
// Random scores that keep to the cell coding: notes of random rows, lengths
// and instruments (percussion included), with empty stretches between them.

#include <cstdint>
#include <memory>

#include "ExportCheck.h"

namespace scoretest {

struct RandomScoreOptions {
    // Some held cells carry another row than their note's start, as a
    // transpose that begins in the middle of a note leaves them.
    bool shiftedHeldCells = false;
};

std::unique_ptr<Score> randomScore(std::uint32_t seed, RandomScoreOptions options = {});

// Every cell of every track used: notes of one to four columns back to back.
std::unique_ptr<Score> denseScore();

}  // namespace scoretest
