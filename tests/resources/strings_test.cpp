#include "resources/Strings.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadResStringTest, ProgramNamesRunFromId100To227) {
    EXPECT_EQ(resources::LoadResString(100), "Acoustic Grand Piano");
    EXPECT_EQ(resources::LoadResString(124), "Nylon Guitar");
    EXPECT_EQ(resources::LoadResString(140), "Violin");
    EXPECT_EQ(resources::LoadResString(227), "Gunshot");
}

TEST(LoadResStringTest, PercussionNamesRunFromId35To81) {
    EXPECT_EQ(resources::LoadResString(35), "Acoustic Bass Drum");
    EXPECT_EQ(resources::LoadResString(42), "Closed High-Hat");
    EXPECT_EQ(resources::LoadResString(81), "Open Triangle");
}

TEST(LoadResStringTest, EveryIdInsideTheRangesHasAName) {
    for (int id = 35; id <= 81; ++id) EXPECT_FALSE(resources::LoadResString(id).empty()) << id;
    for (int id = 100; id <= 227; ++id) EXPECT_FALSE(resources::LoadResString(id).empty()) << id;
}

TEST(LoadResStringTest, IdsOutsideBothRangesGiveEmptyText) {
    for (int id : {-1, 0, 34, 82, 90, 99, 228, 1000}) {
        EXPECT_EQ(resources::LoadResString(id), "") << id;
    }
}

}  // namespace
