#include "view/TintSources.h"

namespace view {

void fitTintSource(forms::PictureBox& box, int width, int height) {
    const bool resized = box.scaleWidth() != width || box.scaleHeight() != height;
    if (resized) {
        box.setWidth(width);
        box.setHeight(height);
    }
    // A box whose back colour was set after its pixels were made still shows
    // the old colour until it is cleared.
    const surface::OleColour colour = surface::resolveSystemColour(box.backColor());
    if (resized || box.surface().pixel(0, 0) != colour) box.cls();
}

}  // namespace view
