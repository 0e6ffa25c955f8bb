#pragma once
// The selection and cursor tints are blended from two hidden picture boxes of
// one solid colour each; they have to cover the score box to tint all of it.

#include "platform/forms/PictureBox.h"

namespace view {

// Gives the box the size asked for and makes sure it is filled with its back
// colour (a resize keeps stale pixels that still fit).
void fitTintSource(forms::PictureBox& box, int width, int height);

}  // namespace view
