#pragma once
// What the score tests share: a score on the heap (the grids are large), a
// temporary folder, and reading and writing whole files.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "score/ScoreGrids.h"
#include "support/TempFolder.h"

namespace scoretest {

struct Score {
    score::Grid notes{};
    score::Grid instruments{};
    std::int16_t tempo = 120;
    score::HiddenTracks hidden{};
};
std::unique_ptr<Score> emptyScore();

using testsupport::TempFolder;

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::string readText(const std::string& path);

}  // namespace scoretest
