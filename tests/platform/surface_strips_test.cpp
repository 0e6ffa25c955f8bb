// The score view's pixel strips, done the way the view does them: plain copies
// between the score box and a store of the same size, every shape saved at the
// store's top-left corner.

#include <gtest/gtest.h>

#include "platform/surface/Surface.h"

using surface::bitBlt;
using surface::OleColour;
using surface::rgb;
using surface::Surface;

namespace {

// 40 columns and 13 rows in view, as at start-up.
constexpr int W = 41 * 12 + 1;
constexpr int H = 13 * 12 + 1;

class PixelStrips : public ::testing::Test {
protected:
    PixelStrips() : music(W, H, 0xFFFFFF), swapScreen(W, H, 0xFFFFFF) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) music.setPixel(x, y, rgb(x & 0xFF, y, (x >> 8) * 64 + 7));
        original = music;
    }

    void getRow(int row) { bitBlt(swapScreen, 0, 0, W, 15, music, 0, row * 12); }
    void putRow(int row) { bitBlt(music, 0, row * 12, W, 15, swapScreen, 0, 0); }
    void getColumn(int column) { bitBlt(swapScreen, 0, 0, 13, H, music, column * 12, 0); }
    void putColumn(int column) { bitBlt(music, column * 12, 0, 13, H, swapScreen, 0, 0); }
    void getBox() { bitBlt(swapScreen, 0, 0, W, H, music, 0, 0); }
    void putBox() { bitBlt(music, 0, 0, W, H, swapScreen, 0, 0); }

    // Counts the pixels of the score box that differ from expected(x, y).
    template <typename Expected>
    int differences(Expected expected) const {
        int count = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) count += music.pixel(x, y) != expected(x, y);
        return count;
    }

    Surface music;
    Surface swapScreen;
    Surface original;
};

}  // namespace

TEST_F(PixelStrips, RowStripRestoresItsFifteenPixelRowsOnly) {
    getRow(2);
    // A note bar being drawn across the saved strip, y = 24 .. 38.
    music.filledBox(0, 24, W - 1, 38, 0x0000FF);
    // Marks just outside the strip must outlive the restore.
    music.setPixel(100, 23, 0x00FF00);
    music.setPixel(100, 39, 0x00FF00);
    putRow(2);
    EXPECT_EQ(differences([&](int x, int y) {
                  if (x == 100 && (y == 23 || y == 39)) return OleColour{0x00FF00};
                  return original.pixel(x, y);
              }),
              0);
}

TEST_F(PixelStrips, ColumnStripRestoresThirteenColumnsOverTheFullHeight) {
    getColumn(0);
    music.filledBox(0, 0, 12, H - 1, 0xC0C0FF);
    putColumn(0);
    EXPECT_EQ(differences([&](int x, int y) { return original.pixel(x, y); }), 0);
}

TEST_F(PixelStrips, SavesShareTheStoresTopLeftCorner) {
    getBox();
    getRow(3);
    music.clear();
    putBox();
    // The row strip's pixels (y = 36 .. 50) now fill the top 15 rows.
    EXPECT_EQ(differences([&](int x, int y) {
                  return y < 15 ? original.pixel(x, y + 36) : original.pixel(x, y);
              }),
              0);
}

TEST_F(PixelStrips, ColumnStripPutBackElsewhereCopiesTheSavedPixels) {
    getColumn(2);
    putColumn(5);
    EXPECT_EQ(differences([&](int x, int y) {
                  return x >= 60 && x <= 72 ? original.pixel(x - 36, y) : original.pixel(x, y);
              }),
              0);
}

TEST_F(PixelStrips, StripsAtTheLastRowAndColumnAreClippedAtTheEdge) {
    // The row strip of the last view row reaches two pixel rows below the box,
    // the column strip of the column after the last lies mostly outside it.
    swapScreen.setPixel(0, 14, 0x123456);
    getRow(12);
    EXPECT_EQ(swapScreen.pixel(0, 12), original.pixel(0, H - 1));
    EXPECT_EQ(swapScreen.pixel(0, 14), 0x123456u);  // nothing to copy from there
    music.filledBox(0, 144, W - 1, H - 1, 0);
    putRow(12);
    getColumn(41);
    music.filledBox(W - 1, 0, W - 1, H - 1, 0);
    putColumn(41);
    EXPECT_EQ(differences([&](int x, int y) { return original.pixel(x, y); }), 0);
}
