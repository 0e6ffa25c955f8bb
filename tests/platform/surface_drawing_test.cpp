// Drawing on a surface, checked against whole pictures.

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "surface_testing.h"

using surface::FillStyle;
using surface::Surface;
using namespace surfacetest;

namespace {

constexpr surface::OleColour white = 0xFFFFFF, black = 0, green = 0x00FF00, red = 0x0000FF;

struct LineCase {
    const char* name;
    int width, height, x1, y1, x2, y2;
    Picture expected;
};

// The end point is left out; the minor axis takes the nearest pixel, a half
// going away from the start.
const LineCase LineCases[] = {
    {"shallow", 9, 4, 0, 0, 7, 3, {"##.......", "..##.....", "....##...", "......#.."}},
    {"shallow, drawn backwards",
     9,
     4,
     7,
     3,
     0,
     0,
     {".#.......", "..##.....", "....##...", "......##."}},
    {"steep", 4, 8, 0, 0, 3, 7, {"#...", "#...", ".#..", ".#..", "..#.", "..#.", "...#", "...."}},
    {"halves", 6, 3, 0, 0, 4, 2, {"#.....", ".##...", "...#.."}},
    {"halves, drawn backwards", 6, 3, 4, 2, 0, 0, {".#....", "..##..", "....#."}},
    {"horizontal", 6, 3, 1, 1, 4, 1, {"......", ".###..", "......"}},
    {"vertical, upwards", 3, 3, 1, 2, 1, 0, {"...", ".#.", ".#."}},
    {"a single point draws nothing", 3, 3, 1, 1, 1, 1, {"...", "...", "..."}},
};

TEST(SurfaceLine, Pictures) {
    for (const LineCase& c : LineCases) {
        Surface s(c.width, c.height);
        s.line(c.x1, c.y1, c.x2, c.y2, black);
        EXPECT_EQ(pictureOf(s), c.expected) << c.name;
    }
}

TEST(SurfaceLine, ClipsHugeAndNegativeCoordinates) {
    Surface s(8, 8, white);
    s.line(-1000000, 5, 1000000, 5, red);
    s.line(3, -50, 3, 100, black);
    s.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, green);
    EXPECT_EQ(pictureOf(s), (Picture{"o..#....", ".o.#....", "..o#....", "...o....", "...#o...",
                                     "rrr#rorr", "...#..o.", "...#...o"}));

    Surface off(8, 8, white);
    off.line(INT_MAX, INT_MIN, INT_MAX - 5, INT_MAX, red);
    off.line(-20, -20, -2, -1, red);
    EXPECT_EQ(countOf(off, white), 64);
}

// Solid fill style fills a box with the fill colour under its outline;
// transparent leaves the inside alone. Corners come in either order.
TEST(SurfaceBox, OutlineAndFill) {
    Surface s(9, 7, white);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColour(green);
    s.box(6, 5, 1, 1, black);
    s.setFillStyle(FillStyle::Transparent);
    s.box(0, 0, 3, 2, red);
    EXPECT_EQ(pictureOf(s), (Picture{"rrrr.....", "r##r###..", "rrrroo#..", ".#oooo#..",
                                     ".#oooo#..", ".######..", "........."}));

    // A filled box takes its own colour whatever the fill state.
    Surface filled(5, 4, white);
    filled.setFillStyle(FillStyle::Solid);
    filled.setFillColour(green);
    filled.filledBox(3, 2, 1, 1, red);
    EXPECT_EQ(pictureOf(filled), (Picture{".....", ".rrr.", ".rrr.", "....."}));
}

TEST(SurfaceCircle, SmallCirclesPixelForPixel) {
    Surface dot(3, 3, white);
    dot.circle(1, 1, 0, black);
    dot.circle(1, 1, -2, red);
    EXPECT_EQ(pictureOf(dot), (Picture{"...", ".#.", "..."}));

    Surface one(3, 3, white);
    one.circle(1, 1, 1, black);
    EXPECT_EQ(pictureOf(one), (Picture{".#.", "#.#", ".#."}));

    Surface head(13, 13, white);
    head.circle(6, 6, 5, black);
    EXPECT_EQ(pictureOf(head),
              (Picture{".............", "....#####....", "...#.....#...", "..#.......#..",
                       ".#.........#.", ".#.........#.", ".#.........#.", ".#.........#.",
                       ".#.........#.", "..#.......#..", "...#.....#...", "....#####....",
                       "............."}));

    Surface filled(9, 9, white);
    filled.setFillStyle(FillStyle::Solid);
    filled.setFillColour(green);
    filled.circle(4, 4, 3, black);
    EXPECT_EQ(pictureOf(filled),
              (Picture{".........", "...###...", "..#ooo#..", ".#ooooo#.", ".#ooooo#.", ".#ooooo#.",
                       "..#ooo#..", "...###...", "........."}));
}

// Larger circles by the number of rim and inside pixels the midpoint
// algorithm gives them.
TEST(SurfaceCircle, LargerCirclesByTheirPixelCounts) {
    const int table[][3] = {{2, 12, 9},      {4, 24, 37},      {10, 56, 293},
                            {23, 132, 1601}, {70, 396, 15201}, {587, 3320, 1080857}};
    for (const auto& [radius, rim, inside] : table) {
        Surface s(2 * radius + 3, 2 * radius + 3, white);
        s.setFillStyle(FillStyle::Solid);
        s.setFillColour(green);
        s.circle(radius + 1, radius + 1, radius, black);
        EXPECT_EQ(countOf(s, black), rim) << radius;
        EXPECT_EQ(countOf(s, green), inside) << radius;
        EXPECT_EQ(s.pixel(radius + 1, radius + 1 - radius), black) << radius;
        EXPECT_EQ(s.pixel(2 * radius + 1, radius + 1), black) << radius;
    }
}

TEST(SurfaceClipping, ShapesAtEveryEdgeMatchTheSameShapesDrawnWithRoom) {
    // Each shape is drawn on a small surface and, shifted, on one with a wide
    // margin; the small surface must show exactly the window of the big one.
    constexpr int w = 23, h = 17, margin = 40;
    const std::pair<int, int> places[] = {{0, 0},  {w - 1, 0}, {0, h - 1}, {w - 1, h - 1},
                                          {-3, 8}, {w + 2, 8}, {11, -4},   {11, h + 3}};
    const std::function<void(Surface&, int, int)> shapes[] = {
        [](Surface& s, int x, int y) { s.circle(x, y, 6, black); },
        [](Surface& s, int x, int y) { s.box(x - 5, y - 3, x + 4, y + 7, red); },
        [](Surface& s, int x, int y) { s.filledBox(x + 6, y + 2, x - 6, y - 2, 0xFF0000); },
        [](Surface& s, int x, int y) { s.line(x - 9, y + 4, x + 9, y - 5, green); },
        [](Surface& s, int x, int y) { s.line(x + 2, y - 9, x - 1, y + 9, green); },
    };
    for (std::size_t shape = 0; shape < std::size(shapes); ++shape) {
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
    EXPECT_EQ(countOf(s, white), 256);

    // A circle far bigger than the surface, centred on it: all inside.
    s.circle(8, 8, INT_MAX, black);
    EXPECT_EQ(countOf(s, green), 256);

    // The top of a huge circle passing through the surface: a flat rim row.
    Surface top(21, 21, white);
    top.circle(10, 1000010, 1000000, black);
    for (int x = 0; x < 21; ++x) EXPECT_EQ(top.pixel(x, 10), black) << x;
    EXPECT_EQ(countOf(top, black), 21);
}

TEST(SurfaceState, ResizeKeepsPixelsAndClearUsesTheBackColour) {
    Surface s = surfaceOf({"ab#", "cdo"});
    s.resize(4, 3);
    EXPECT_EQ(pictureOf(s), (Picture{"ab#.", "cdo.", "...."}));
    s.resize(2, 1);
    EXPECT_EQ(pictureOf(s), (Picture{"ab"}));
    EXPECT_EQ(s.pixel(2, 0), white);  // outside: the back colour

    s.setBackColour(0xE0E0E0);
    EXPECT_EQ(s.pixel(-1, 0), 0xE0E0E0u);
    s.clear();
    EXPECT_EQ(countOf(s, 0xE0E0E0), 2);

    Surface empty(-5, 3);
    EXPECT_EQ(empty.width(), 0);
    empty.circle(0, 0, 4, red);
    empty.line(0, 0, 4, 4, red);
    EXPECT_EQ(empty.pixel(0, 0), white);
}

TEST(SurfaceState, StoresRgb32AndNamesSystemColours) {
    Surface s(2, 1, white);
    s.setPixel(0, 0, surface::rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(s.bits()[0], 0xFF123456u);
    EXPECT_EQ(s.pixel(0, 0), 0x563412u);

    const auto before = s.revision();
    s.setPixel(1, 0, 0x8000000F);
    EXPECT_GT(s.revision(), before);
    EXPECT_EQ(s.pixel(1, 0), 0xF0F0F0u);
    const std::pair<surface::OleColour, surface::OleColour> named[] = {
        {0x8000000F, 0xF0F0F0}, {0x80000005, 0xFFFFFF}, {0x80000010, 0xA0A0A0},
        {0x80000014, 0xFFFFFF}, {0x80000013, 0x000000}, {0x80000100, 0x000000},
        {0x7FC7743D, 0xC7743D}};
    for (const auto& [colour, shown] : named) {
        EXPECT_EQ(surface::resolveSystemColour(colour), shown) << std::hex << colour;
    }

    // A toolkit theme answers instead, until it is taken away again.
    Surface button(1, 1, 0x8000000F);
    surface::setSystemColourLookup([](int index) { return index == 0x0F ? 0xEFEFEFu : 0u; });
    EXPECT_EQ(surface::resolveSystemColour(0x00C7743D), 0x00C7743Du);
    button.clear();
    EXPECT_EQ(button.pixel(0, 0), 0xEFEFEFu);
    surface::setSystemColourLookup({});
    EXPECT_EQ(surface::resolveSystemColour(0x8000000F), 0xF0F0F0u);
}

}  // namespace
