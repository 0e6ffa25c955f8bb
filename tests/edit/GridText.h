#pragma once
// A track's cells written as text, so a grid case reads as a line: "." an
// empty cell, "60" a note start on pitch row 60, "+60" a cell holding it, and
// ":7" after either the cell's instrument (0 without).

#include <memory>
#include <sstream>
#include <string>

#include "score/ScoreGrids.h"

namespace edittest {

// The grids are large; tests keep them off the stack.
struct Grids {
    score::Grid notes{}, instruments{};
    score::Grid clipNotes{}, clipInstruments{};
    std::int16_t clipLength = 0;
    score::HiddenTracks hidden{};
};
inline std::unique_ptr<Grids> emptyGrids() {
    auto grids = std::make_unique<Grids>();
    score::clearScore(grids->notes, grids->instruments);
    score::clearScore(grids->clipNotes, grids->clipInstruments);
    return grids;
}

inline void putCells(score::Grid& notes, score::Grid& instruments, int track, int origin,
                     const std::string& text) {
    std::istringstream tokens(text);
    std::string token;
    for (int column = origin; tokens >> token; ++column) {
        if (token == ".") continue;
        const auto colon = token.find(':');
        const bool held = token[0] == '+';
        const int row = std::stoi(token.substr(held ? 1 : 0, colon));
        notes[track][column] = static_cast<std::int16_t>(held ? score::HeldOffset + row : row);
        if (colon != std::string::npos) {
            instruments[track][column] =
                static_cast<std::int16_t>(std::stoi(token.substr(colon + 1)));
        }
    }
}

// `count` cells from origin in the same notation; unless only those are asked
// for, a cell outside them that is not empty follows " | " with its column, so
// a stray write shows.
inline std::string cellsText(const score::Grid& notes, const score::Grid& instruments, int track,
                             int origin, int count, bool onlyThese = false) {
    auto cell = [&](int column) {
        const std::int16_t value = notes[track][column];
        const std::int16_t instrument = instruments[track][column];
        std::string text = value == score::EmptyCell ? "."
                           : score::isHeld(value) ? "+" + std::to_string(value - score::HeldOffset)
                                                  : std::to_string(value);
        if (instrument != 0) text += ":" + std::to_string(instrument);
        return text;
    };
    std::string text;
    for (int column = origin; column < origin + count; ++column) {
        text += (text.empty() ? "" : " ") + cell(column);
    }
    std::string stray;
    for (int column = 0; column <= score::LastColumn && !onlyThese; ++column) {
        if (column >= origin && column < origin + count) continue;
        if (cell(column) != ".") stray += " " + std::to_string(column) + "=" + cell(column);
    }
    return stray.empty() ? text : text + " |" + stray;
}

inline int tokenCount(const std::string& text) {
    std::istringstream tokens(text);
    std::string token;
    int count = 0;
    while (tokens >> token) ++count;
    return count;
}

}  // namespace edittest
