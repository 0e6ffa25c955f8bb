// Copies between surfaces: plain, blended and keyed.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "platform/surface/Surface.h"

using surface::alphaBlend;
using surface::bitBlt;
using surface::FillStyle;
using surface::OleColour;
using surface::rgb;
using surface::Surface;
using surface::transparentBlt;

namespace {

constexpr OleColour white = 0xFFFFFF;
constexpr OleColour red = 0x0000FF;
constexpr OleColour blue = 0xFF0000;
constexpr std::uint32_t overlayBlend = 0x00640000;

// A different colour at every position, so any misplaced pixel shows.
OleColour patternAt(int x, int y) {
    return rgb(x * 7 + 1, y * 11 + 3, (x * 13 + y * 5) ^ 0x5A);
}

Surface patterned(int width, int height) {
    Surface s(width, height, white);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) s.setPixel(x, y, patternAt(x, y));
    return s;
}

// Expected pixels of the destination after an operation, from a snapshot.
void expectPixels(const Surface& actual, const std::function<OleColour(int, int)>& expected) {
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            ASSERT_EQ(actual.pixel(x, y), expected(x, y)) << "at " << x << "," << y;
}

// The blend as the score tints are specified: each channel's two terms
// truncated separately.
OleColour blended(OleColour source, OleColour dest, int alpha) {
    OleColour result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int s = (source >> shift) & 0xFF, d = (dest >> shift) & 0xFF;
        result |= static_cast<OleColour>(s * alpha / 255 + d * (255 - alpha) / 255) << shift;
    }
    return result;
}

}  // namespace

TEST(SurfaceBitBlt, CopiesARectangleAndNothingElse) {
    const Surface source = patterned(20, 10);
    Surface dest(15, 15, white);
    EXPECT_TRUE(bitBlt(dest, 4, 6, 5, 3, source, 10, 2));
    expectPixels(dest, [](int x, int y) {
        const bool inside = x >= 4 && x < 9 && y >= 6 && y < 9;
        return inside ? patternAt(x + 6, y - 4) : white;
    });
}

TEST(SurfaceBitBlt, ClipsAgainstBothSurfaces) {
    const Surface source = patterned(8, 8);
    Surface dest(10, 6, white);
    // Reaches past the destination's right and bottom edges: cut there.
    EXPECT_TRUE(bitBlt(dest, 7, 4, 8, 8, source, 0, 0));
    expectPixels(dest,
                 [](int x, int y) { return x >= 7 && y >= 4 ? patternAt(x - 7, y - 4) : white; });

    // Starts left of and above the source: only the part on it arrives,
    // at the places the full copy would have put it.
    Surface other(10, 10, white);
    EXPECT_TRUE(bitBlt(other, 0, 0, 5, 5, source, -2, -3));
    expectPixels(other, [](int x, int y) {
        return x >= 2 && x < 5 && y >= 3 && y < 5 ? patternAt(x - 2, y - 3) : white;
    });

    Surface untouched(4, 4, white);
    EXPECT_FALSE(bitBlt(untouched, 4, 0, 3, 3, source, 0, 0));
    EXPECT_FALSE(bitBlt(untouched, 0, 0, 3, 3, source, 8, 0));
    EXPECT_FALSE(bitBlt(untouched, 0, 0, -3, 3, source, 0, 0));
    EXPECT_FALSE(bitBlt(untouched, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, source, 0, 0));
    expectPixels(untouched, [](int, int) { return white; });
}

TEST(SurfaceBitBlt, OverlappingCopyWithinOneSurface) {
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {3, 2}, {-2, -3}, {2, -1}}) {
        Surface s = patterned(16, 12);
        const Surface before = s;
        EXPECT_TRUE(bitBlt(s, 4 + dx, 3 + dy, 8, 6, s, 4, 3));
        expectPixels(s, [&](int x, int y) {
            const int sx = x - dx, sy = y - dy;
            const bool moved = x >= 4 + dx && x < 12 + dx && y >= 3 + dy && y < 9 + dy;
            return moved ? before.pixel(sx, sy) : before.pixel(x, y);
        });
    }
}

TEST(SurfaceAlphaBlend, MatchesThePerChannelFormula) {
    // White under the blue selection tint, and a sharp-row band under the red
    // cursor tint, worked out by hand.
    EXPECT_EQ(blended(blue, white, 100), rgb(155, 155, 255));
    EXPECT_EQ(blended(red, 0xE0E0E0, 100), rgb(236, 136, 136));

    const OleColour colours[] = {0x000000, 0xFFFFFF, 0xE0E0E0, 0xFFCC44,
                                 0xC7743D, 0x0080FF, 0x010203, 0xFEFDFC};
    for (int alpha : {0, 1, 100, 128, 254, 255}) {
        for (OleColour top : colours) {
            for (OleColour under : colours) {
                Surface source(3, 2, top), dest(3, 2, under);
                ASSERT_TRUE(alphaBlend(dest, 0, 0, 3, 2, source, 0, 0, 3, 2,
                                       static_cast<std::uint32_t>(alpha) << 16));
                ASSERT_EQ(dest.pixel(2, 1), blended(top, under, alpha))
                    << std::hex << top << " over " << under << " alpha " << std::dec << alpha;
            }
        }
    }
    Surface source(1, 1, 0x123456), dest(1, 1, 0x654321);
    alphaBlend(dest, 0, 0, 1, 1, source, 0, 0, 1, 1, 0x00FF0000);
    EXPECT_EQ(dest.pixel(0, 0), 0x123456u);
}

TEST(SurfaceAlphaBlend, TintsTheSelectedColumnsBandOnly) {
    // Columns 5 to 8 selected with the view at column 0: x = 60 to 108.
    constexpr int w = 41 * 12 + 1, h = 13 * 12 + 1;
    Surface music(w, h, white), blueBox(w, h, blue);
    music.filledBox(0, 24, w - 1, 35, 0xE0E0E0);
    const Surface before = music;
    EXPECT_TRUE(alphaBlend(music, 60, 0, 49, h, blueBox, 60, 0, 49, h, overlayBlend));
    expectPixels(music, [&](int x, int y) {
        return x >= 60 && x <= 108 ? blended(blue, before.pixel(x, y), 100) : before.pixel(x, y);
    });

    // A band reaching past the right edge is cut there.
    Surface small(30, 5, white), tint(40, 5, red);
    EXPECT_TRUE(alphaBlend(small, 20, 0, 20, 5, tint, 0, 0, 20, 5, overlayBlend));
    expectPixels(small, [](int x, int) { return x >= 20 ? blended(red, white, 100) : white; });
}

TEST(SurfaceAlphaBlend, RefusesWhatItCannotDo) {
    const Surface source(4, 4, blue);
    Surface dest(4, 4, white);
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 4, 4, 0x00640001));  // operation
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 4, 4, 0x00640100));  // flags
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 4, 4, 0x01640000));  // per-pixel alpha
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 2, 4, overlayBlend));  // stretching
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 0, 4, source, 0, 0, 0, 4, overlayBlend));
    EXPECT_FALSE(alphaBlend(dest, 4, 0, 2, 2, source, 0, 0, 2, 2, overlayBlend));
    expectPixels(dest, [](int, int) { return white; });
}

TEST(SurfaceAlphaBlend, BlendsASurfaceOntoItself) {
    Surface s = patterned(10, 4);
    const Surface before = s;
    EXPECT_TRUE(alphaBlend(s, 1, 0, 6, 4, s, 0, 0, 6, 4, overlayBlend));
    expectPixels(s, [&](int x, int y) {
        return x >= 1 && x < 7 ? blended(before.pixel(x - 1, y), before.pixel(x, y), 100)
                               : before.pixel(x, y);
    });
}

TEST(SurfaceTransparentBlt, StampsEverythingButThePlainKey) {
    Surface picture(6, 5, rgb(1, 2, 3));
    picture.filledBox(1, 1, 3, 2, red);
    picture.setPixel(5, 4, blue);
    Surface music = patterned(12, 12);
    const Surface before = music;
    EXPECT_TRUE(transparentBlt(music, 4, 5, 6, 5, picture, 0, 0, 6, 5, rgb(1, 2, 3)));
    expectPixels(music, [&](int x, int y) {
        const int px = x - 4, py = y - 5;
        const bool onPicture = px >= 0 && px < 6 && py >= 0 && py < 5;
        if (onPicture && picture.pixel(px, py) != rgb(1, 2, 3)) return picture.pixel(px, py);
        return before.pixel(x, y);
    });
}

TEST(SurfaceTransparentBlt, ButtonFaceKeyMatchesAPictureDrawnOnButtonFace) {
    // The picture stamp's key &H8000000F names the button face colour; a
    // picture whose background is that colour, named or literal, stamps only
    // what is drawn on it.
    for (OleColour background : {OleColour{0x8000000F}, surface::resolveSystemColour(0x8000000F)}) {
        Surface picture(8, 8, background);
        picture.clear();
        picture.setFillStyle(FillStyle::Solid);
        picture.setFillColour(0x00FF00);
        picture.circle(4, 4, 3, 0x000000);
        Surface music(20, 20, white);
        EXPECT_TRUE(transparentBlt(music, -2, 15, 8, 8, picture, 0, 0, 8, 8, 0x8000000F));
        expectPixels(music, [&](int x, int y) {
            const int px = x + 2, py = y - 15;
            const bool onPicture = px >= 0 && px < 8 && py >= 0 && py < 8;
            const OleColour p = onPicture ? picture.pixel(px, py) : white;
            return p == 0xF0F0F0 ? white : p;
        });
        // Moved by (-2, 15): the top of the rim, the centre, a key corner.
        EXPECT_EQ(music.pixel(2, 16), 0x000000u);
        EXPECT_EQ(music.pixel(2, 19), 0x00FF00u);
        EXPECT_EQ(music.pixel(0, 15), white);
    }
}

TEST(SurfaceTransparentBlt, StretchesAndClips) {
    Surface picture(2, 2, white);
    picture.setPixel(0, 0, red);
    picture.setPixel(1, 1, blue);
    Surface dest(6, 6, 0x777777);
    EXPECT_TRUE(transparentBlt(dest, 1, 1, 4, 4, picture, 0, 0, 2, 2, white));
    expectPixels(dest, [](int x, int y) {
        if (x >= 1 && x < 3 && y >= 1 && y < 3) return red;
        if (x >= 3 && x < 5 && y >= 3 && y < 5) return blue;
        return OleColour{0x777777};
    });
    EXPECT_FALSE(transparentBlt(dest, 6, 0, 2, 2, picture, 0, 0, 2, 2, white));
    EXPECT_FALSE(transparentBlt(dest, 0, 0, 2, 2, picture, 2, 2, 2, 2, white));
    EXPECT_FALSE(transparentBlt(dest, 0, 0, 0, 2, picture, 0, 0, 2, 2, white));
}
