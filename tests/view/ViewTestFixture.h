#pragma once
// The real main window for the score view's tests: only the main toolbar open,
// an empty score, and helpers that compute the expected pixels on their own
// (not through the program's drawing code).

#include "support/app/ScoreWindowFixture.h"

namespace viewtest {

using testsupport::Black;
using testsupport::Blue;
using testsupport::Colour;
using testsupport::White;

constexpr Colour SharpBand = 0xE0E0E0;
constexpr Colour BeatLine = 0xFFCC44;
constexpr Colour Red = 0x0000FF;

// The tint laid at 100 of 255 over a pixel, per channel with each term
// truncated: source * 100 / 255 + destination * 155 / 255.
Colour tinted(Colour source, Colour destination);

class ScoreViewTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override;
};

}  // namespace viewtest
