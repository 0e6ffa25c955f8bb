// A hidden button's stamp of Picture1 onto the score box, at the place typed
// into Text1 and Text2. The next redraw removes it.

#include "app/Form1.h"
#include "score/NumberText.h"

namespace app {

namespace {

// The button face, left out of the stamp.
constexpr surface::OleColour StampKeyColour = 0x8000000F;

}  // namespace

void Form1::Command1_Click() {
    const auto x = score::roundToInt32(score::leadingNumber(Text1.text()));
    const auto y = score::roundToInt32(score::leadingNumber(Text2.text()));
    // A place beyond any pixel position stamps nothing.
    if (!x || !y) return;
    const int width = Picture1.scaleWidth();
    const int height = Picture1.scaleHeight();
    surface::transparentBlt(MusicBox.surface(), *x, *y, width, height, Picture1.surface(), 0, 0,
                            width, height, StampKeyColour);
    MusicBox.refresh();
}

}  // namespace app
