// Emptying and measuring the score grids.

#include <gtest/gtest.h>

#include <memory>

#include "score/ScoreGrids.h"

namespace {

using namespace score;

TEST(ClearScore, EmptiesEveryCellOfBothGrids) {
    auto notes = std::make_unique<Grid>();
    auto instruments = std::make_unique<Grid>();
    for (auto& track : *notes) track.fill(1005);
    for (auto& track : *instruments) track.fill(77);
    clearScore(*notes, *instruments);
    for (int track = 0; track < TrackCount; ++track) {
        for (int column = 0; column <= LastColumn; ++column) {
            ASSERT_EQ((*notes)[track][column], -1);
            ASSERT_EQ((*instruments)[track][column], 0);
        }
    }
}

TEST(FindLastColumn, HighestUsedColumnOverShownTracks) {
    auto notes = std::make_unique<Grid>();
    auto instruments = std::make_unique<Grid>();
    clearScore(*notes, *instruments);
    HiddenTracks hidden{};
    EXPECT_EQ(findLastColumn(*notes, hidden), 0);

    (*notes)[4][0] = 60;
    EXPECT_EQ(findLastColumn(*notes, hidden), 0);

    (*notes)[2][300] = 1060;  // held cells count as used
    (*notes)[7][40] = 12;
    EXPECT_EQ(findLastColumn(*notes, hidden), 300);
    hidden[2] = true;
    EXPECT_EQ(findLastColumn(*notes, hidden), 40);

    (*notes)[12][LastColumn] = 0;
    EXPECT_EQ(findLastColumn(*notes, hidden), 1000);
}

TEST(CellKinds, CodingOfNotesCells) {
    EXPECT_FALSE(isUsed(EmptyCell));
    EXPECT_TRUE(isNoteStart(0));
    EXPECT_TRUE(isNoteStart(127));
    EXPECT_FALSE(isNoteStart(1000));
    EXPECT_TRUE(isHeld(1000));
    EXPECT_TRUE(isUsed(1127));
}

}  // namespace
