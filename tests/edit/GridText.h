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
    score::Grid notes{}, instruments{}, clipNotes{}, clipInstruments{};
    std::int16_t clipLength = 0;
    score::HiddenTracks hidden{};
};
inline std::unique_ptr<Grids> emptyGrids() {
    auto g = std::make_unique<Grids>();
    score::clearScore(g->notes, g->instruments);
    score::clearScore(g->clipNotes, g->clipInstruments);
    return g;
}

inline void putCells(score::Grid& notes, score::Grid& instruments, int track, int origin,
                     const std::string& text) {
    std::istringstream tokens(text);
    std::string token;
    for (int column = origin; tokens >> token; ++column) {
        if (token == ".") continue;
        const bool held = token[0] == '+';
        const auto colon = token.find(':');
        const int row = std::stoi(token.substr(held ? 1 : 0, colon));
        notes[track][column] = static_cast<std::int16_t>(held ? score::HeldOffset + row : row);
        if (colon != std::string::npos)
            instruments[track][column] = std::stoi(token.substr(colon + 1));
    }
}

inline int tokenCount(const std::string& text) {
    std::istringstream tokens(text);
    std::string token;
    int count = 0;
    while (tokens >> token) ++count;
    return count;
}

// `count` cells from origin in the same notation, then, unless only those are
// asked for, every other cell in use after " |" with its column: a stray write shows.
inline std::string cellsText(const score::Grid& notes, const score::Grid& instruments, int track,
                             int origin, int count, bool onlyThese = false) {
    auto cell = [&](int column) {
        const int value = notes[track][column];
        std::string text = value == score::EmptyCell ? "."
                           : score::isHeld(value) ? "+" + std::to_string(value - score::HeldOffset)
                                                  : std::to_string(value);
        return instruments[track][column] ? text + ":" + std::to_string(instruments[track][column])
                                          : text;
    };
    std::string text, stray;
    for (int column = origin; column < origin + count; ++column) text += " " + cell(column);
    for (int column = 0; column <= score::LastColumn && !onlyThese; ++column) {
        const bool asked = column >= origin && column < origin + count;
        if (!asked && cell(column) != ".")
            stray += " " + std::to_string(column) + "=" + cell(column);
    }
    if (text.empty()) return stray.empty() ? "" : stray.substr(1);
    return text.substr(1) + (stray.empty() ? "" : " |" + stray);
}

}  // namespace edittest
