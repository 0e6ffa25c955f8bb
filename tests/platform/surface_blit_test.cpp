// Copies between surfaces: plain, blended and keyed.

#include <gtest/gtest.h>

#include <cstdint>

#include "surface_testing.h"

using surface::alphaBlend;
using surface::bitBlt;
using surface::OleColour;
using surface::rgb;
using surface::Surface;
using surface::transparentBlt;
using namespace surfacetest;

namespace {

constexpr OleColour white = 0xFFFFFF, red = 0x0000FF, blue = 0xFF0000;
constexpr std::uint32_t overlayBlend = 0x00640000;  // source over, alpha 100

const Picture Letters{"ABCD", "EFGH", "IJKL"};

TEST(SurfaceBitBlt, CopiesARectangleClippedToBothSurfaces) {
    const Surface source = surfaceOf(Letters);
    Surface dest(5, 4, white);
    EXPECT_TRUE(bitBlt(dest, 1, 1, 3, 2, source, 1, 0));
    EXPECT_EQ(pictureOf(dest), (Picture{".....", ".BCD.", ".FGH.", "....."}));

    Surface edge(5, 4, white);
    EXPECT_TRUE(bitBlt(edge, 3, 2, 4, 4, source, 0, 0));
    EXPECT_TRUE(bitBlt(edge, 0, 0, 3, 2, source, -1, -1));
    EXPECT_EQ(pictureOf(edge), (Picture{".....", ".AB..", "...AB", "...EF"}));

    Surface untouched(4, 4, white);
    EXPECT_FALSE(bitBlt(untouched, 4, 0, 3, 3, source, 0, 0));
    EXPECT_FALSE(bitBlt(untouched, 0, 0, 3, 3, source, 4, 0));
    EXPECT_FALSE(bitBlt(untouched, 0, 0, 3, 3, source, 0, 3));
    EXPECT_FALSE(bitBlt(untouched, 0, 0, -3, 3, source, 0, 0));
    EXPECT_FALSE(bitBlt(untouched, 0, 0, 3, 0, source, 0, 0));
    EXPECT_FALSE(bitBlt(untouched, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, source, 0, 0));
    EXPECT_EQ(countOf(untouched, white), 16);
}

TEST(SurfaceBitBlt, OverlappingCopyWithinOneSurface) {
    struct Move {
        int destX, destY, width, height, sourceX, sourceY;
        Picture expected;
    };
    const Move moves[] = {
        {0, 1, 4, 3, 0, 0, {"ABCD", "ABCD", "EFGH", "IJKL"}},
        {0, 0, 4, 3, 0, 1, {"EFGH", "IJKL", "MNPQ", "MNPQ"}},
        {1, 0, 3, 4, 0, 0, {"AABC", "EEFG", "IIJK", "MMNP"}},
        {0, 0, 3, 4, 1, 0, {"BCDD", "FGHH", "JKLL", "NPQQ"}},
        {1, 1, 3, 3, 0, 0, {"ABCD", "EABC", "IEFG", "MIJK"}},
    };
    for (const Move& m : moves) {
        Surface s = surfaceOf({"ABCD", "EFGH", "IJKL", "MNPQ"});
        EXPECT_TRUE(bitBlt(s, m.destX, m.destY, m.width, m.height, s, m.sourceX, m.sourceY));
        EXPECT_EQ(pictureOf(s), m.expected) << m.destX << "," << m.destY;
    }
}

// Per channel: source * alpha / 255 + dest * (255 - alpha) / 255, each term
// truncated on its own.
TEST(SurfaceAlphaBlend, BlendsEachChannel) {
    struct Blend {
        OleColour source, dest;
        std::uint32_t alpha;
        OleColour expected;
    };
    const Blend table[] = {
        {blue, white, 100, rgb(155, 155, 255)},  // the selection tint on white
        {red, 0xE0E0E0, 100, rgb(236, 136, 136)},
        {rgb(200, 100, 50), rgb(10, 20, 30), 100, rgb(84, 51, 37)},
        {rgb(1, 1, 1), rgb(1, 1, 1), 128, rgb(0, 0, 0)},
        {0x000000, rgb(128, 64, 2), 128, rgb(63, 31, 0)},
        {0x123456, 0x654321, 255, 0x123456},
        {0x123456, 0x654321, 0, 0x654321},
    };
    for (const Blend& b : table) {
        Surface source(3, 2, b.source), dest(3, 2, b.dest);
        ASSERT_TRUE(alphaBlend(dest, 0, 0, 3, 2, source, 0, 0, 3, 2, b.alpha << 16));
        EXPECT_EQ(dest.pixel(2, 1), b.expected) << std::hex << b.source << " over " << b.dest;
        EXPECT_EQ(dest.pixel(0, 0), b.expected) << std::hex << b.source << " over " << b.dest;
    }
}

TEST(SurfaceAlphaBlend, TintsOnlyTheBandAndClipsIt) {
    const Surface tint(6, 2, blue);
    Surface band(6, 2, white);
    EXPECT_TRUE(alphaBlend(band, 1, 0, 2, 2, tint, 3, 0, 2, 2, overlayBlend));
    EXPECT_TRUE(alphaBlend(band, 4, 1, 4, 1, tint, 0, 0, 4, 1, overlayBlend));
    const OleColour t = rgb(155, 155, 255);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(band.pixel(x, 0), x == 1 || x == 2 ? t : white) << x;
        EXPECT_EQ(band.pixel(x, 1), x == 1 || x == 2 || x >= 4 ? t : white) << x;
    }

    // Onto itself: every pixel blends with what was under it before the blend.
    Surface self = surfaceOf({"#.."});
    EXPECT_TRUE(alphaBlend(self, 1, 0, 2, 1, self, 0, 0, 2, 1, overlayBlend));
    EXPECT_EQ(self.pixel(1, 0), rgb(155, 155, 155));
    EXPECT_EQ(self.pixel(2, 0), white);
}

TEST(SurfaceAlphaBlend, RefusesWhatItCannotDo) {
    const Surface source(4, 4, blue);
    Surface dest(4, 4, white);
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 4, 4, 0x00640001));  // operation
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 4, 4, 0x00640100));  // flags
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 4, 4, 0x01640000));  // per-pixel alpha
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 2, 4, overlayBlend));  // stretching
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 4, 4, source, 0, 0, 4, 2, overlayBlend));
    EXPECT_FALSE(alphaBlend(dest, 0, 0, 0, 4, source, 0, 0, 0, 4, overlayBlend));
    EXPECT_FALSE(alphaBlend(dest, 4, 0, 2, 2, source, 0, 0, 2, 2, overlayBlend));
    EXPECT_EQ(countOf(dest, white), 16);
}

TEST(SurfaceTransparentBlt, StampsEverythingButTheKey) {
    const Surface picture = surfaceOf({"ABr", "rCr"});
    Surface dest(5, 4, white);
    EXPECT_TRUE(transparentBlt(dest, 1, 1, 3, 2, picture, 0, 0, 3, 2, red));
    EXPECT_TRUE(transparentBlt(dest, -1, 3, 3, 2, picture, 0, 0, 3, 2, red));
    EXPECT_EQ(pictureOf(dest), (Picture{".....", ".AB..", "..C..", "B...."}));

    // Stretched: each destination pixel takes the source pixel under it.
    Surface stretched(6, 5, white);
    EXPECT_TRUE(transparentBlt(stretched, 1, 1, 4, 4, surfaceOf({"AB", "C."}), 0, 0, 2, 2, white));
    EXPECT_EQ(pictureOf(stretched), (Picture{"......", ".AABB.", ".AABB.", ".CC...", ".CC..."}));

    EXPECT_FALSE(transparentBlt(dest, 5, 0, 2, 2, picture, 0, 0, 2, 2, white));
    EXPECT_FALSE(transparentBlt(dest, 0, 0, 2, 2, picture, 3, 2, 2, 2, white));
    EXPECT_FALSE(transparentBlt(dest, 0, 0, 0, 2, picture, 0, 0, 2, 2, white));
    EXPECT_FALSE(transparentBlt(dest, 0, 0, 2, 2, picture, 0, 0, 2, 0, white));
}

// The picture stamp's key &H8000000F names the button face; a picture whose
// background is that colour, named or literal, stamps only what is drawn on it.
TEST(SurfaceTransparentBlt, ButtonFaceKeyMatchesItsColourNamedOrLiteral) {
    for (OleColour background : {OleColour{0x8000000F}, OleColour{0xF0F0F0}}) {
        Surface picture(2, 1, background);
        picture.setPixel(1, 0, red);
        Surface dest(2, 1, white);
        EXPECT_TRUE(transparentBlt(dest, 0, 0, 2, 1, picture, 0, 0, 2, 1, 0x8000000F));
        EXPECT_EQ(pictureOf(dest), (Picture{".r"})) << std::hex << background;
    }
}

}  // namespace
