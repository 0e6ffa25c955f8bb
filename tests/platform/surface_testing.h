#pragma once
// Surfaces written and read as small pictures, one character a pixel: '.'
// white, '#' black, 'o' green, 'r' red, 'b' blue, any other letter or digit a
// colour of its own; '?' reads a colour none of them names.

#include <string>
#include <vector>

#include "platform/surface/Surface.h"

namespace surfacetest {

using Picture = std::vector<std::string>;

inline surface::OleColour colourOf(char c) {
    switch (c) {
        case '.':
            return 0xFFFFFF;
        case '#':
            return 0x000000;
        case 'o':
            return 0x00FF00;
        case 'r':
            return 0x0000FF;
        case 'b':
            return 0xFF0000;
        default:
            return surface::rgb(c, 2 * c, 255 - c);
    }
}

inline surface::Surface surfaceOf(const Picture& rows) {
    surface::Surface s(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) s.setPixel(x, y, colourOf(rows[y][x]));
    return s;
}

inline Picture pictureOf(const surface::Surface& s) {
    static const std::string names =
        ".#orbABCDEFGHIJKLMNOPQRSTUVWXYZacdefghijklmnpqstuvwxyz0123456789";
    Picture rows;
    for (int y = 0; y < s.height(); ++y) {
        std::string row;
        for (int x = 0; x < s.width(); ++x) {
            char shown = '?';
            for (char c : names)
                if (colourOf(c) == s.pixel(x, y)) shown = c;
            row += shown;
        }
        rows.push_back(row);
    }
    return rows;
}

inline int countOf(const surface::Surface& s, surface::OleColour colour) {
    int count = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) count += s.pixel(x, y) == colour;
    return count;
}

}  // namespace surfacetest
