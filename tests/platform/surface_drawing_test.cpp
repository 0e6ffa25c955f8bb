// Drawing on a surface, checked pixel by pixel.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>
#include <utility>

#include "platform/surface/Surface.h"

using surface::FillStyle;
using surface::OleColour;
using surface::rgb;
using surface::Surface;

namespace {

constexpr OleColour white = 0xFFFFFF;
constexpr OleColour black = 0x000000;
constexpr OleColour red = 0x0000FF;
constexpr OleColour green = 0x00FF00;
constexpr OleColour blue = 0xFF0000;

using Points = std::set<std::pair<int, int>>;

Points pixelsOf(const Surface& s, OleColour colour) {
    Points found;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) == colour) found.insert({x, y});
    return found;
}

// The textbook integer midpoint circle, walked octant by octant, as the
// reference the surface's row-by-row rim must reproduce.
Points midpointCircle(int cx, int cy, int r) {
    Points rim;
    int x = r, y = 0, d = 1 - r;
    while (x >= y) {
        for (auto [px, py] :
             {std::pair{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}})
            rim.insert({cx + px, cy + py});
        ++y;
        if (d < 0) {
            d += 2 * y + 1;
        } else {
            --x;
            d += 2 * (y - x) + 1;
        }
    }
    return rim;
}

bool samePixels(const Surface& a, const Surface& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

}  // namespace

TEST(SurfaceLine, LeavesOutItsEndPoint) {
    Surface s(20, 20, white);
    s.line(2, 3, 8, 3, red);
    EXPECT_EQ(pixelsOf(s, red), (Points{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}));

    // A beat line from y = 0 to y = H covers the whole height and no more.
    Surface box(25, 13, white);
    box.line(24, 0, 24, 13, 0xFFCC44);
    EXPECT_EQ(pixelsOf(box, 0xFFCC44).size(), 13u);
    for (int y = 0; y < 13; ++y) EXPECT_EQ(box.pixel(24, y), 0xFFCC44u) << y;

    Surface diagonal(10, 10, white);
    diagonal.line(0, 0, 5, 5, blue);
    EXPECT_EQ(pixelsOf(diagonal, blue), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));

    Surface dot(5, 5, white);
    dot.line(2, 2, 2, 2, red);
    EXPECT_TRUE(pixelsOf(dot, red).empty());
}

TEST(SurfaceLine, PicksTheNearestPixelInEveryDirection) {
    // 3/7 per column: 0, 0.43, 0.86, 1.29, 1.71, 2.14, 2.57 rounded.
    const Points shallow{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}};
    Surface s(10, 10, white);
    s.line(0, 0, 7, 3, red);
    EXPECT_EQ(pixelsOf(s, red), shallow);

    Surface steep(10, 10, white);
    steep.line(0, 0, 3, 7, red);
    Points mirrored;
    for (auto [x, y] : shallow) mirrored.insert({y, x});
    EXPECT_EQ(pixelsOf(steep, red), mirrored);

    // Drawn backwards the start is included and the old start left out.
    Surface back(10, 10, white);
    back.line(7, 3, 0, 0, red);
    EXPECT_EQ(back.pixel(7, 3), red);
    EXPECT_EQ(back.pixel(0, 0), white);
    EXPECT_EQ(pixelsOf(back, red).size(), 7u);
}

TEST(SurfaceLine, ClipsHugeAndNegativeCoordinates) {
    Surface s(10, 10, white);
    s.line(-1000000, 5, 1000000, 5, red);
    s.line(3, -50, 3, 100, blue);
    for (int x = 0; x < 10; ++x) {
        if (x != 3) {
            EXPECT_EQ(s.pixel(x, 5), red) << x;
        }
    }
    for (int y = 0; y < 10; ++y) EXPECT_EQ(s.pixel(3, y), blue) << y;
    EXPECT_EQ(pixelsOf(s, red).size() + pixelsOf(s, blue).size(), 19u);

    Surface d(8, 8, white);
    d.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, green);
    Points diagonal;
    for (int i = 0; i < 8; ++i) diagonal.insert({i, i});
    EXPECT_EQ(pixelsOf(d, green), diagonal);

    Surface off(8, 8, white);
    off.line(INT_MAX, INT_MIN, INT_MAX - 5, INT_MAX, red);
    off.line(-20, -20, -2, -1, red);
    EXPECT_TRUE(pixelsOf(off, red).empty());
}

TEST(SurfaceBox, OutlineIncludesBothCornersInAnyOrder) {
    Surface s(10, 10, white);
    s.box(2, 2, 6, 5, red);
    Points outline;
    for (int x = 2; x <= 6; ++x) outline.insert({x, 2}), outline.insert({x, 5});
    for (int y = 2; y <= 5; ++y) outline.insert({2, y}), outline.insert({6, y});
    EXPECT_EQ(pixelsOf(s, red), outline);

    Surface reversed(10, 10, white);
    reversed.box(6, 5, 2, 2, red);
    EXPECT_TRUE(samePixels(s, reversed));
}

TEST(SurfaceBox, SolidFillStyleFillsWithTheFillColourNotTheLineColour) {
    Surface s(12, 12, white);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColour(green);
    s.box(1, 1, 8, 6, red);
    for (int y = 1; y <= 6; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const bool rim = x == 1 || x == 8 || y == 1 || y == 6;
            EXPECT_EQ(s.pixel(x, y), rim ? red : green) << x << "," << y;
        }
    }
    EXPECT_EQ(s.pixel(9, 6), white);
    EXPECT_EQ(s.pixel(8, 7), white);

    // The play cursor: a four-pixel-wide outline box filled in its own colour.
    Surface cursor(20, 10, white);
    cursor.setFillStyle(FillStyle::Solid);
    cursor.setFillColour(0xC0C0FF);
    cursor.box(5, 0, 8, 9, 0xC0C0FF);
    EXPECT_EQ(pixelsOf(cursor, 0xC0C0FF).size(), 40u);
}

TEST(SurfaceBox, TransparentFillStyleLeavesTheInsideAlone) {
    // As after a score redraw: heads drawn solid, then the style set back to
    // transparent; a rubber-band box drawn next must not hide the notes.
    Surface s(30, 30, white);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColour(blue);
    s.circle(15, 15, 5, black);
    s.setFillStyle(FillStyle::Transparent);
    s.box(5, 5, 25, 25, red);
    EXPECT_EQ(s.pixel(15, 15), blue);
    EXPECT_EQ(s.pixel(15, 10), black);
    EXPECT_EQ(s.pixel(7, 7), white);
    EXPECT_EQ(s.pixel(5, 17), red);
    EXPECT_EQ(s.pixel(25, 25), red);
}

TEST(SurfaceBox, FilledBoxUsesItsOwnColourWhateverTheFillState) {
    Surface s(10, 10, white);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColour(green);
    s.filledBox(7, 4, 3, 2, red);
    Points expected;
    for (int y = 2; y <= 4; ++y)
        for (int x = 3; x <= 7; ++x) expected.insert({x, y});
    EXPECT_EQ(pixelsOf(s, red), expected);
    EXPECT_TRUE(pixelsOf(s, green).empty());
}

TEST(SurfaceCircle, MatchesTheMidpointAlgorithmForEveryRadius) {
    for (int r = 1; r <= 70; ++r) {
        Surface s(2 * r + 11, 2 * r + 11, white);
        s.circle(r + 5, r + 5, r, black);
        ASSERT_EQ(pixelsOf(s, black), midpointCircle(r + 5, r + 5, r)) << "radius " << r;
    }
    Surface big(1200, 1200, white);
    big.circle(600, 600, 587, black);
    EXPECT_EQ(pixelsOf(big, black), midpointCircle(600, 600, 587));
}

TEST(SurfaceCircle, RadiusFiveHeadSpansElevenPixelsSymmetrically) {
    Surface s(30, 30, white);
    s.circle(12, 14, 5, black);
    const Points rim = pixelsOf(s, black);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (auto [x, y] : rim) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
        const int dx = x - 12, dy = y - 14;
        for (auto [ox, oy] : {std::pair{dy, dx}, {-dx, dy}, {dx, -dy}, {-dy, -dx}})
            EXPECT_TRUE(rim.count({12 + ox, 14 + oy})) << dx << "," << dy;
    }
    EXPECT_EQ(minX, 7);
    EXPECT_EQ(maxX, 17);
    EXPECT_EQ(minY, 9);
    EXPECT_EQ(maxY, 19);
}

TEST(SurfaceCircle, SolidFillPaintsEveryPixelInsideTheRim) {
    for (int r : {1, 2, 5, 9, 23}) {
        Surface s(2 * r + 5, 2 * r + 5, white);
        s.setFillStyle(FillStyle::Solid);
        s.setFillColour(green);
        const int c = r + 2;
        s.circle(c, c, r, black);
        const Points rim = midpointCircle(c, c, r);
        for (int y = 0; y < s.height(); ++y) {
            int left = INT_MAX, right = INT_MIN;
            for (auto [x, ry] : rim)
                if (ry == y) left = std::min(left, x), right = std::max(right, x);
            for (int x = 0; x < s.width(); ++x) {
                const OleColour expected =
                    rim.count({x, y}) ? black : (x > left && x < right ? green : white);
                ASSERT_EQ(s.pixel(x, y), expected) << "r " << r << " at " << x << "," << y;
            }
        }
    }
    Surface outline(20, 20, white);
    outline.circle(10, 10, 5, black);
    EXPECT_EQ(outline.pixel(10, 10), white);
}

TEST(SurfaceClipping, ShapesAtEveryEdgeMatchTheSameShapesDrawnWithRoom) {
    // Each shape is drawn on a small surface and, shifted, on one with a wide
    // margin; the small surface must show exactly the window of the big one.
    constexpr int w = 23, h = 17, margin = 40;
    const std::vector<std::pair<int, int>> places{{0, 0},  {w - 1, 0}, {0, h - 1}, {w - 1, h - 1},
                                                  {-3, 8}, {w + 2, 8}, {11, -4},   {11, h + 3}};
    const std::vector<std::function<void(Surface&, int, int)>> shapes{
        [](Surface& s, int x, int y) { s.circle(x, y, 6, black); },
        [](Surface& s, int x, int y) { s.box(x - 5, y - 3, x + 4, y + 7, red); },
        [](Surface& s, int x, int y) { s.filledBox(x + 6, y + 2, x - 6, y - 2, blue); },
        [](Surface& s, int x, int y) { s.line(x - 9, y + 4, x + 9, y - 5, green); },
        [](Surface& s, int x, int y) { s.line(x + 2, y - 9, x - 1, y + 9, green); },
    };
    for (std::size_t shape = 0; shape < shapes.size(); ++shape) {
        for (auto [x, y] : places) {
            Surface small(w, h, white), roomy(w + 2 * margin, h + 2 * margin, white);
            for (Surface* s : {&small, &roomy}) {
                s->setFillStyle(FillStyle::Solid);
                s->setFillColour(0x123456);
            }
            shapes[shape](small, x, y);
            shapes[shape](roomy, x + margin, y + margin);
            for (int py = 0; py < h; ++py)
                for (int px = 0; px < w; ++px)
                    ASSERT_EQ(small.pixel(px, py), roomy.pixel(px + margin, py + margin))
                        << "shape " << shape << " at " << x << "," << y;
        }
    }
}

TEST(SurfaceClipping, ShapesFarOffOrHugeNeverWriteOutside) {
    Surface s(16, 16, white);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColour(green);
    s.circle(-100, 8, 50, black);
    s.circle(INT_MAX, INT_MIN, INT_MAX, black);
    s.box(INT_MIN, INT_MIN, -1, INT_MAX, red);
    s.filledBox(16, 0, INT_MAX, 15, red);
    s.circle(8, 8, -3, black);
    EXPECT_EQ(pixelsOf(s, white).size(), 256u);

    // A circle far bigger than the surface, centred on it: all inside.
    s.circle(8, 8, INT_MAX, black);
    EXPECT_EQ(pixelsOf(s, green).size(), 256u);

    // The top of a huge circle passing through the surface: a flat rim row.
    Surface top(21, 21, white);
    top.circle(10, 1000010, 1000000, black);
    for (int x = 0; x < 21; ++x) EXPECT_EQ(top.pixel(x, 10), black) << x;
    EXPECT_EQ(pixelsOf(top, black).size(), 21u);
}

TEST(SurfaceState, ResizeKeepsPixelsAndClearUsesTheBackColour) {
    Surface s(4, 3, white);
    s.setPixel(3, 2, red);
    s.setPixel(1, 1, blue);
    s.resize(6, 5);
    EXPECT_EQ(s.pixel(3, 2), red);
    EXPECT_EQ(s.pixel(1, 1), blue);
    EXPECT_EQ(s.pixel(5, 4), white);
    s.resize(2, 2);
    EXPECT_EQ(s.pixel(1, 1), blue);
    EXPECT_EQ(s.pixel(3, 2), white);  // outside now: the back colour

    s.setBackColour(0xE0E0E0);
    EXPECT_EQ(s.pixel(-1, 0), 0xE0E0E0u);
    s.clear();
    EXPECT_EQ(pixelsOf(s, 0xE0E0E0).size(), 4u);

    Surface empty(-5, 3);
    EXPECT_EQ(empty.width(), 0);
    empty.circle(0, 0, 4, red);
    empty.line(0, 0, 4, 4, red);
    EXPECT_EQ(empty.pixel(0, 0), white);
}

TEST(SurfaceState, StoresRgb32AndNamesSystemColours) {
    Surface s(2, 1, white);
    s.setPixel(0, 0, rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(s.bits()[0], 0xFF123456u);
    EXPECT_EQ(s.pixel(0, 0), 0x563412u);

    const auto before = s.revision();
    s.setPixel(1, 0, 0x8000000F);
    EXPECT_GT(s.revision(), before);
    EXPECT_EQ(s.pixel(1, 0), 0xF0F0F0u);
    EXPECT_EQ(surface::resolveSystemColour(0x8000000F), 0xF0F0F0u);
    EXPECT_EQ(surface::resolveSystemColour(0x80000005), 0xFFFFFFu);
    EXPECT_EQ(surface::resolveSystemColour(0x80000012), 0x000000u);
    EXPECT_EQ(surface::resolveSystemColour(0x00C7743D), 0x00C7743Du);

    Surface button(3, 3, 0x8000000F);
    EXPECT_EQ(button.pixel(1, 1), 0xF0F0F0u);

    // A toolkit theme answers instead, until it is taken away again.
    surface::setSystemColourLookup([](int index) { return index == 0x0F ? 0xEFEFEFu : 0u; });
    EXPECT_EQ(surface::resolveSystemColour(0x8000000F), 0xEFEFEFu);
    EXPECT_EQ(surface::resolveSystemColour(0x00C7743D), 0x00C7743Du);
    button.clear();
    EXPECT_EQ(button.pixel(1, 1), 0xEFEFEFu);
    surface::setSystemColourLookup({});
    EXPECT_EQ(surface::resolveSystemColour(0x8000000F), 0xF0F0F0u);
}
