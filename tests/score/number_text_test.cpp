// Numbers read from text: the leading number, rounded half to even, and the
// ends of each whole-number range.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "score/NumberText.h"

namespace {

using score::leadingNumber;

TEST(LeadingNumber, IsTheNumberAfterLeadingBlanksOrZero) {
    const std::pair<const char*, double> cases[] = {{"24", 24},
                                                    {"24 Nylon Guitar", 24},
                                                    {" \t\r\n-12.5xyz", -12.5},
                                                    {"+7", 7},
                                                    {".5", 0.5},
                                                    {"1e3,", 1000},
                                                    {"3e", 3},
                                                    {"2E-1", 0.2},
                                                    {"", 0},
                                                    {"   ", 0},
                                                    {"abc", 0},
                                                    {"-", 0},
                                                    {".", 0},
                                                    {"x12", 0},
                                                    {"e5", 0},
                                                    {"1e-400", 0}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
    // Too large for a double: an infinity of its sign, which every range rejects.
    EXPECT_EQ(leadingNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber("-1e400"), -std::numeric_limits<double>::infinity());
}

TEST(RoundToWhole, HalvesGoToTheEvenNeighbourAndEachRangeEndsWhereItShould) {
    const std::pair<double, std::optional<std::int16_t>> to16[] = {{12.5, 12},
                                                                   {13.5, 14},
                                                                   {-2.5, -2},
                                                                   {0.49, 0},
                                                                   {32767.4, 32767},
                                                                   {32767.5, std::nullopt},
                                                                   {-32768.5, -32768},
                                                                   {-32768.6, std::nullopt},
                                                                   {40000, std::nullopt},
                                                                   {NAN, std::nullopt},
                                                                   {INFINITY, std::nullopt}};
    for (const auto& [value, result] : to16) EXPECT_EQ(score::roundToInt16(value), result) << value;
    EXPECT_EQ(score::roundToInt32(2147483647.4), 2147483647);
    EXPECT_FALSE(score::roundToInt32(2147483647.5));
    EXPECT_EQ(score::roundToInt32(-2147483648.5), -2147483648);
    EXPECT_FALSE(score::roundToInt32(-2147483649.0));

    EXPECT_EQ(score::textToInt16(" 13.5 "), 14);
    EXPECT_EQ(score::textToInt16("abc", -7), 0);
    EXPECT_EQ(score::textToInt16("40000", -7), -7);
    EXPECT_EQ(score::textToInt16("1e400", -7), -7);

    const std::pair<long, std::int16_t> saturated[] = {
        {32767, 32767}, {32768, 32767}, {-32768, -32768}, {-32769, -32768}, {-5, -5}};
    for (const auto& [value, result] : saturated) EXPECT_EQ(score::saturate16(value), result);
}

}  // namespace
