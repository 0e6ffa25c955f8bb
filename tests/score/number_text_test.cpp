// Numbers read from text: the leading number, rounded half to even.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "score/NumberText.h"

namespace {

using score::leadingNumber;
using score::roundToInt16;
using score::textToInt16;

TEST(LeadingNumber, TakesTheNumberAtTheStartAfterBlanks) {
    EXPECT_DOUBLE_EQ(leadingNumber("24"), 24);
    EXPECT_DOUBLE_EQ(leadingNumber("24 Nylon Guitar"), 24);
    EXPECT_DOUBLE_EQ(leadingNumber("   -12.5xyz"), -12.5);
    EXPECT_DOUBLE_EQ(leadingNumber("+7"), 7);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1e3,"), 1000);
    EXPECT_DOUBLE_EQ(leadingNumber("3e"), 3);  // no exponent digits: the 3 stands
}

TEST(LeadingNumber, IsZeroWithoutANumber) {
    for (const char* text : {"", "   ", "abc", "-", ".", "x12", "e5"}) {
        EXPECT_DOUBLE_EQ(leadingNumber(text), 0) << '"' << text << '"';
    }
}

// A number too large for a double is out of range, so every reader rejects it
// as it rejects 40000 instead of taking it for 0.
TEST(LeadingNumber, ANumberTooLargeForADoubleIsInfinite) {
    const std::string digits309(309, '9');
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(leadingNumber("1e400"), infinity);
    EXPECT_EQ(leadingNumber(" " + digits309 + ",5"), infinity);
    EXPECT_EQ(leadingNumber("-1e400"), -infinity);
    EXPECT_EQ(leadingNumber("1e-400"), 0);  // merely tiny
    EXPECT_EQ(textToInt16("1e400", -7), -7);
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundToInt16(12.5), 12);
    EXPECT_EQ(roundToInt16(13.5), 14);
    EXPECT_EQ(roundToInt16(-2.5), -2);
    EXPECT_EQ(roundToInt16(0.49), 0);
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(-32768.4), -32768);
}

TEST(RoundToInt16, OutOfRangeHasNoValue) {
    EXPECT_FALSE(roundToInt16(40000));
    EXPECT_FALSE(roundToInt16(32767.5));
    EXPECT_FALSE(roundToInt16(-32769));
    EXPECT_EQ(textToInt16("40000", -7), -7);
    EXPECT_EQ(textToInt16("abc"), 0);
    EXPECT_EQ(textToInt16(" 13.5 "), 14);
}

TEST(Saturate16, ClampsWideResults) {
    EXPECT_EQ(score::saturate16(40000), 32767);
    EXPECT_EQ(score::saturate16(-40000), -32768);
    EXPECT_EQ(score::saturate16(-5), -5);
}

}  // namespace
