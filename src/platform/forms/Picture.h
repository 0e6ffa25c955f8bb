#pragma once
// A picture for buttons, images, cursors and picture boxes: pixels loaded from
// the program's embedded resources (resources/pictures) or made in code.

#include <memory>
#include <string>

#include "platform/surface/Surface.h"

namespace forms {

class Picture {
public:
    Picture() = default;
    explicit Picture(surface::Surface pixels);
    // An embedded picture by name, e.g. "splash" or "toolbar/setup"; empty when
    // there is none.
    static Picture fromResource(const std::string& name);

    bool isEmpty() const { return !pixels_ || pixels_->width() == 0; }
    int width() const { return pixels_ ? pixels_->width() : 0; }
    int height() const { return pixels_ ? pixels_->height() : 0; }
    const surface::Surface& pixels() const;
    // Pictures loaded from files keep their transparency in the top byte of
    // each pixel (0 clear, 255 opaque); pictures made in code are opaque.
    bool hasTransparency() const { return transparency_; }

private:
    std::shared_ptr<const surface::Surface> pixels_;
    bool transparency_ = false;
};

}  // namespace forms
