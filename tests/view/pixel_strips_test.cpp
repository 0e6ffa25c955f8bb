// Saving and restoring strips of the score box through one shared store.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "support/app/ScoreWindowFixture.h"

namespace {

using testsupport::Colour;
using Form = app::Form1;

class PixelStripsTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override {
        ScoreWindowTest::SetUp();
        showOnlyToolbars({});
        moveView(0, 55);
        placeNote(0, 56, 1, 9);
        placeNote(3, 58, 4, 30);
        form().CursorColumn = 2;
        form().RedrawScore();
    }
};

TEST_F(PixelStripsTest, EachStripComesBackWhereItIsPutAndNothingElse) {
    // The box is 673 x 421: 56 columns, 35 rows. `from` names the pixel of the
    // saved picture that comes back at (x, y), or none where the mark stays.
    using From = std::function<std::optional<std::pair<int, int>>(int x, int y)>;
    const struct {
        const char* name;
        std::function<void(Form&)> save, put;
        From from;
    } cases[] = {
        {"row 2", [](Form& f) { f.GetRow(2); }, [](Form& f) { f.PutRow(2); },
         [](int x, int y) -> std::optional<std::pair<int, int>> {
             if (y >= 24 && y <= 38) return std::pair{x, y};
             return {};
         }},
        {"column 0", [](Form& f) { f.GetColumn(0); }, [](Form& f) { f.PutColumn(0); },
         [](int x, int y) -> std::optional<std::pair<int, int>> {
             if (x <= 12) return std::pair{x, y};
             return {};
         }},
        {"column 2 put at 10", [](Form& f) { f.GetColumn(2); }, [](Form& f) { f.PutColumn(10); },
         [](int x, int y) -> std::optional<std::pair<int, int>> {
             if (x >= 120 && x <= 132) return std::pair{x - 96, y};
             return {};
         }},
        {"box, then row 3 over its top", [](Form& f) { f.GetBox(), f.GetRow(3); },
         [](Form& f) { f.PutBox(); },
         [](int x, int y) {
             return std::optional(std::pair{x, y < 15 ? y + 36 : y});
         }},
        {"the last row, clipped", [](Form& f) { f.GetRow(34); }, [](Form& f) { f.PutRow(34); },
         [](int x, int y) -> std::optional<std::pair<int, int>> {
             if (y >= 408) return std::pair{x, y};
             return {};
         }},
        {"the last column, clipped", [](Form& f) { f.GetColumn(55); },
         [](Form& f) { f.PutColumn(55); },
         [](int x, int y) -> std::optional<std::pair<int, int>> {
             if (x >= 660) return std::pair{x, y};
             return {};
         }},
    };
    const auto picture = snapshot();
    const int width = boxWidth();
    ASSERT_EQ(width, 673);
    ASSERT_EQ(boxHeight(), 421);
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        form().RedrawScore();
        one.save(form());
        form().MusicBox.surface().filledBox(0, 0, 672, 420, 0x00FF00);
        one.put(form());
        int wrong = 0;
        for (int y = 0; y < 421; ++y) {
            for (int x = 0; x < width; ++x) {
                const auto source = one.from(x, y);
                const Colour expected =
                    source ? picture[source->second * width + source->first] : 0x00FF00;
                if (pixel(x, y) != expected && ++wrong <= 3) ADD_FAILURE() << x << ", " << y;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
