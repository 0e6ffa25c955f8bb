#include "score/NumberText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace score {

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) {
        ++i;
    }
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits) return 0.0;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
                exponent += text[j++];
            }
            number += exponent;
        }
    }
    // A number too large for a double comes back as an infinity of its sign,
    // which every caller's range check rejects.
    return std::strtod(number.c_str(), nullptr);
}

namespace {
std::optional<double> roundHalfEven(double value, double low, double high) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);  // default mode: to nearest, ties to even
    if (rounded < low || rounded > high) return std::nullopt;
    return rounded;
}
}  // namespace

std::optional<std::int16_t> roundToInt16(double value) {
    const auto rounded = roundHalfEven(value, -32768.0, 32767.0);
    if (!rounded) return std::nullopt;
    return static_cast<std::int16_t>(*rounded);
}

std::optional<std::int32_t> roundToInt32(double value) {
    const auto rounded = roundHalfEven(value, -2147483648.0, 2147483647.0);
    if (!rounded) return std::nullopt;
    return static_cast<std::int32_t>(*rounded);
}

std::int16_t textToInt16(std::string_view text, std::int16_t fallback) {
    return roundToInt16(leadingNumber(text)).value_or(fallback);
}

}  // namespace score
