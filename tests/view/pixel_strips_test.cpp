// Saving and restoring strips of the score box through SwapScreen.

#include <gtest/gtest.h>

#include "view/ViewTestFixture.h"

namespace viewtest {
namespace {

constexpr Colour Mark = 0x00FF00;

class PixelStripsTest : public ScoreViewTest {
protected:
    void SetUp() override {
        ScoreViewTest::SetUp();
        moveView(0, 55);
        placeNote(0, 56, 1, 9);
        placeNote(3, 58, 4, 30);
        form().CursorColumn = 2;
        form().RedrawScore();
        picture = snapshot();
    }

    Colour original(int x, int y) { return picture[y * boxWidth() + x]; }

    std::vector<Colour> picture;
};

TEST_F(PixelStripsTest, RowStripComesBackExactlyAndNothingElse) {
    form().GetRow(2);
    auto& box = form().MusicBox.surface();
    box.filledBox(0, 24, boxWidth() - 1, 38, Mark);
    box.filledBox(0, 39, boxWidth() - 1, 40, Mark);
    box.filledBox(0, 22, boxWidth() - 1, 23, Mark);
    form().PutRow(2);
    for (int y = 20; y <= 42; ++y) {
        for (int x = 0; x < boxWidth(); ++x) {
            const Colour expected = y >= 24 && y <= 38   ? original(x, y)
                                    : y >= 22 && y <= 40 ? Mark
                                                         : original(x, y);
            ASSERT_EQ(pixel(x, y), expected) << x << ", " << y;
        }
    }
}

TEST_F(PixelStripsTest, ColumnStripComesBackOverTheFullHeight) {
    form().GetColumn(0);
    auto& box = form().MusicBox.surface();
    box.filledBox(0, 0, 13, boxHeight() - 1, Mark);
    form().PutColumn(0);
    for (int y = 0; y < boxHeight(); ++y) {
        for (int x = 0; x <= 12; ++x) ASSERT_EQ(pixel(x, y), original(x, y)) << x << ", " << y;
        ASSERT_EQ(pixel(13, y), Mark) << y;
    }
}

TEST_F(PixelStripsTest, BoxAndRowShareTheStore) {
    form().GetBox();
    form().GetRow(3);  // overwrites the top 15 rows of the saved box
    form().MusicBox.surface().filledBox(0, 0, boxWidth() - 1, boxHeight() - 1, Mark);
    form().PutBox();
    for (int y = 0; y < boxHeight(); ++y) {
        for (int x = 0; x < boxWidth(); ++x) {
            const Colour expected = y < 15 ? original(x, 36 + y) : original(x, y);
            ASSERT_EQ(pixel(x, y), expected) << x << ", " << y;
        }
    }
}

TEST_F(PixelStripsTest, ColumnStripCanBePutBackElsewhere) {
    form().GetColumn(2);  // the cursor column's tint and the notes over it
    form().PutColumn(10);
    for (int y = 0; y < boxHeight(); ++y) {
        for (int x = 0; x <= 12; ++x) {
            ASSERT_EQ(pixel(120 + x, y), original(24 + x, y)) << x << ", " << y;
        }
        ASSERT_EQ(pixel(119, y), original(119, y));
        ASSERT_EQ(pixel(133, y), original(133, y));
    }
}

TEST_F(PixelStripsTest, StripsAtTheLastRowAndColumnAreClippedAtTheEdges) {
    const int lastRow = form().RowSpan;
    const int lastColumn = form().ColumnSpan;
    auto& box = form().MusicBox.surface();
    form().GetRow(static_cast<std::int16_t>(lastRow));
    box.filledBox(0, lastRow * 12, boxWidth() - 1, boxHeight() - 1, Mark);
    form().PutRow(static_cast<std::int16_t>(lastRow));
    form().GetColumn(static_cast<std::int16_t>(lastColumn));
    box.filledBox(lastColumn * 12, 0, boxWidth() - 1, boxHeight() - 1, Mark);
    form().PutColumn(static_cast<std::int16_t>(lastColumn));
    EXPECT_EQ(snapshot(), picture);
}

}  // namespace
}  // namespace viewtest
