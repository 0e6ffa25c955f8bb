#pragma once
// Numbers read from text, the one way the program does it: the text's leading
// number (leading blanks skipped, 0 when there is none), then rounded to a
// whole number with halves going to the even neighbour.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace score {

// The number at the start of text: optional sign, digits, an optional
// fraction and exponent. 0 when the text does not start with a number; an
// infinity of its sign when the number is too large for a double.
double leadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to even; nullopt when the result
// does not fit a signed 16-bit number.
std::optional<std::int16_t> roundToInt16(double value);
std::optional<std::int32_t> roundToInt32(double value);

// leadingNumber then roundToInt16, with the fallback where it does not fit.
std::int16_t textToInt16(std::string_view text, std::int16_t fallback = 0);

// Clamps a wider result of 16-bit arithmetic back into range.
constexpr std::int16_t saturate16(long value) {
    return static_cast<std::int16_t>(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
}

}  // namespace score
