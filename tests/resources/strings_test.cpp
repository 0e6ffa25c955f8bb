#include "resources/Strings.h"

#include <gtest/gtest.h>

namespace {

// Program names at ids 100..227, percussion names at ids 35..81, nothing else.
TEST(LoadResString, NamesAtTheEdgesOfBothRanges) {
    const std::pair<int, const char*> table[] = {{-1, ""},
                                                 {0, ""},
                                                 {34, ""},
                                                 {35, "Acoustic Bass Drum"},
                                                 {42, "Closed High-Hat"},
                                                 {81, "Open Triangle"},
                                                 {82, ""},
                                                 {99, ""},
                                                 {100, "Acoustic Grand Piano"},
                                                 {124, "Nylon Guitar"},
                                                 {140, "Violin"},
                                                 {227, "Gunshot"},
                                                 {228, ""},
                                                 {1000, ""}};
    for (const auto& [id, name] : table) EXPECT_EQ(resources::LoadResString(id), name) << id;
    for (int id = 35; id <= 81; ++id) EXPECT_NE(resources::LoadResString(id), "") << id;
    for (int id = 100; id <= 227; ++id) EXPECT_NE(resources::LoadResString(id), "") << id;
}

}  // namespace
