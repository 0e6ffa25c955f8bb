#pragma once
// How a surface stores its colours, shared by the drawing and the copying code.
// Pixels are 0xFFRRGGBB (an RGB32 image row), the program speaks &H00BBGGRR.

#include <cstdint>

#include "platform/surface/Surface.h"

namespace surface::detail {

inline std::uint32_t toPixel(OleColour colour) {
    const OleColour c = resolveSystemColour(colour);
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline OleColour toOle(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

// Fills the rectangle between two corners (both included, x0 <= x1, y0 <= y1)
// where it lies on the surface. Coordinates are 64-bit so that callers can
// pass sums of extreme int arguments without overflow.
void fillRect(Surface& target, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              std::uint32_t pixel);

}  // namespace surface::detail
