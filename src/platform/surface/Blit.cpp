// Copies between surfaces: the plain copy that saves and restores pixel strips,
// the constant-alpha tint laid over the score, and the keyed stamp.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/surface/PixelFormat.h"
#include "platform/surface/Surface.h"

namespace surface {

namespace {

// The part of a copy that lies on both surfaces, as offsets into the requested
// rectangle: a strip reaching past either edge is cut there.
struct Clip {
    std::int64_t firstX = 0, firstY = 0, columns = 0, rows = 0;
};

bool clipAxis(std::int64_t sourceStart, std::int64_t destStart, std::int64_t length,
              std::int64_t sourceLimit, std::int64_t destLimit, std::int64_t& first,
              std::int64_t& count) {
    const std::int64_t lo = std::max({std::int64_t{0}, -sourceStart, -destStart});
    const std::int64_t hi = std::min({length, sourceLimit - sourceStart, destLimit - destStart});
    first = lo;
    count = hi - lo;
    return count > 0;
}

bool clipCopy(const Surface& dest, int destX, int destY, int width, int height,
              const Surface& source, int sourceX, int sourceY, Clip& clip) {
    if (width <= 0 || height <= 0) return false;
    return clipAxis(sourceX, destX, width, source.width(), dest.width(), clip.firstX,
                    clip.columns) &&
           clipAxis(sourceY, destY, height, source.height(), dest.height(), clip.firstY, clip.rows);
}

std::size_t offsetOf(const Surface& s, std::int64_t x, std::int64_t y) {
    return static_cast<std::size_t>(y * s.width() + x);
}

}  // namespace

bool bitBlt(Surface& dest, int destX, int destY, int width, int height, const Surface& source,
            int sourceX, int sourceY) {
    Clip clip;
    if (!clipCopy(dest, destX, destY, width, height, source, sourceX, sourceY, clip)) return false;
    const std::int64_t sx = sourceX + clip.firstX, sy = sourceY + clip.firstY;
    const std::int64_t dx = destX + clip.firstX, dy = destY + clip.firstY;
    // Within one surface a copy downwards has to start at the bottom row, so
    // no row is overwritten before it is read; memmove covers overlap within a row.
    const bool bottomUp = &dest == &source && dy > sy;
    const auto bytes = static_cast<std::size_t>(clip.columns) * sizeof(std::uint32_t);
    for (std::int64_t n = 0; n < clip.rows; ++n) {
        const std::int64_t row = bottomUp ? clip.rows - 1 - n : n;
        std::memmove(dest.bits() + offsetOf(dest, dx, dy + row),
                     source.bits() + offsetOf(source, sx, sy + row), bytes);
    }
    dest.touch();
    return true;
}

bool alphaBlend(Surface& dest, int destX, int destY, int width, int height, const Surface& source,
                int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                std::uint32_t blendFunction) {
    const std::uint32_t operation = blendFunction & 0xFFu;
    const std::uint32_t flags = (blendFunction >> 8) & 0xFFu;
    const std::uint32_t alpha = (blendFunction >> 16) & 0xFFu;
    const std::uint32_t alphaFormat = blendFunction >> 24;
    // Only the constant-opacity "source over" form exists here; per-pixel
    // opacity and stretching are refused rather than half done.
    if (operation != 0 || flags != 0 || alphaFormat != 0) return false;
    if (width != sourceWidth || height != sourceHeight) return false;
    if (&dest == &source) {
        const Surface copy = source;
        return alphaBlend(dest, destX, destY, width, height, copy, sourceX, sourceY, sourceWidth,
                          sourceHeight, blendFunction);
    }
    Clip clip;
    if (!clipCopy(dest, destX, destY, width, height, source, sourceX, sourceY, clip)) return false;

    // Each term is truncated on its own, as the blend is specified.
    std::array<std::uint32_t, 256> sourceTerm{};
    std::array<std::uint32_t, 256> destTerm{};
    for (std::uint32_t v = 0; v < 256; ++v) {
        sourceTerm[v] = v * alpha / 255;
        destTerm[v] = v * (255 - alpha) / 255;
    }
    for (std::int64_t row = 0; row < clip.rows; ++row) {
        const std::uint32_t* from =
            source.bits() + offsetOf(source, sourceX + clip.firstX, sourceY + clip.firstY + row);
        std::uint32_t* to =
            dest.bits() + offsetOf(dest, destX + clip.firstX, destY + clip.firstY + row);
        // The score's pictures run in long stretches of one colour over one
        // tint, so the last blend is usually the next one too.
        std::uint32_t lastSource = ~from[0], lastDest = 0, lastBlend = 0;
        for (std::int64_t column = 0; column < clip.columns; ++column) {
            const std::uint32_t s = from[column];
            const std::uint32_t d = to[column];
            if (s != lastSource || d != lastDest) {
                lastSource = s;
                lastDest = d;
                lastBlend = 0xFF000000u |
                            (sourceTerm[(s >> 16) & 0xFFu] + destTerm[(d >> 16) & 0xFFu]) << 16 |
                            (sourceTerm[(s >> 8) & 0xFFu] + destTerm[(d >> 8) & 0xFFu]) << 8 |
                            (sourceTerm[s & 0xFFu] + destTerm[d & 0xFFu]);
            }
            to[column] = lastBlend;
        }
    }
    dest.touch();
    return true;
}

bool transparentBlt(Surface& dest, int destX, int destY, int width, int height,
                    const Surface& source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, OleColour keyColour) {
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return false;
    if (&dest == &source) {
        const Surface copy = source;
        return transparentBlt(dest, destX, destY, width, height, copy, sourceX, sourceY,
                              sourceWidth, sourceHeight, keyColour);
    }
    // A stamp of another size is stretched, each destination pixel taking the
    // source pixel under it (nearest neighbour, no smoothing).
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -std::int64_t{destX});
    const std::int64_t endColumn =
        std::min<std::int64_t>(width, std::int64_t{dest.width()} - destX);
    const std::int64_t firstRow = std::max<std::int64_t>(0, -std::int64_t{destY});
    const std::int64_t endRow = std::min<std::int64_t>(height, std::int64_t{dest.height()} - destY);
    if (firstColumn >= endColumn || firstRow >= endRow) return false;

    // Compared without the top byte, which a surface does not use for colour.
    const std::uint32_t key = detail::toPixel(keyColour) & 0x00FFFFFFu;
    bool copied = false;
    for (std::int64_t row = firstRow; row < endRow; ++row) {
        const std::int64_t sy = sourceY + row * sourceHeight / height;
        if (sy < 0 || sy >= source.height()) continue;
        const std::uint32_t* from = source.bits() + offsetOf(source, 0, sy);
        std::uint32_t* to = dest.bits() + offsetOf(dest, 0, destY + row);
        for (std::int64_t column = firstColumn; column < endColumn; ++column) {
            const std::int64_t sx = sourceX + column * sourceWidth / width;
            if (sx < 0 || sx >= source.width()) continue;
            copied = true;
            if ((from[sx] & 0x00FFFFFFu) != key) to[destX + column] = from[sx];
        }
    }
    if (copied) dest.touch();
    return copied;
}

}  // namespace surface
